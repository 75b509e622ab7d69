#pragma once
// A tree of named nodes, each holding string keys with string values and an
// ordered list of children: saved state kept in memory or handed to a storage
// strategy. Every value is text; integers, booleans and binary blocks are
// converted on the way in and out. Binary blocks are written as letters (low
// nibble first); a block longer than 250 letters is kept in numbered pieces
// under "<key>_BinVal<i>" with their count under "<key>_BinCount".
#include <memory>
#include <vector>

#include "platform/afx/afx.h"

class CControlBar;
class SECControlBarInfoEx;
struct SECControlBarInfo;

// Result bits of the node operations.
enum : UINT {
    PTN_OK = 0,
    PTN_ALREADY_CREATED = 1,
    PTN_NOT_CREATED = 2,
    PTN_EMPTY_NAME = 4,  // also: AddChildNode without a child
    PTN_EMPTY_KEY = 8,
    PTN_KEY_EXISTS = 16,
    PTN_CHILD_EXISTS = 32,
    PTN_KEY_NOT_FOUND = 64,  // the default value was returned
    PTN_NO_BUFFER = 128,
    PTN_ENCODE_FAILED = 256,
    PTN_OTHER = 65535,  // the parent refused the child, or a stored binary text was empty
};

// Where a tree is saved to and read from.
class SECPersistentTreeStrategy {
public:
    virtual ~SECPersistentTreeStrategy() = default;
    virtual void BeginNode(const CStringList& path) = 0;
    virtual void WriteValue(const CStringList& path, const CString& key, const CString& value) = 0;
    virtual void WriteChildNames(const CStringList& path, const CStringList& names) = 0;
    // Non-zero when the node at `path` was found.
    virtual BOOL ReadNode(const CStringList& path, CStringList& keys, CStringList& values, CStringList& children) = 0;
};

// Creates, keeps and deletes the child nodes made through one node.
class SECPTNFactory {
public:
    CObject* Create(CRuntimeClass* cls);
    void Delete(CObject* object);
    ~SECPTNFactory() = default;

private:
    std::vector<std::unique_ptr<CObject>> made_;
};

class SECPersistentTreeNode : public CObject {
    DECLARE_DYNCREATE(SECPersistentTreeNode)
public:
    struct SECPersTreeNodeKeyValuePair {
        CString m_strKey;
        CString m_strValue;
    };

    SECPersistentTreeNode() = default;
    ~SECPersistentTreeNode() override;

    virtual UINT Create(const char* name, SECPersistentTreeNode* parent = nullptr);
    virtual UINT SetIntValue(const char* key, int value, BOOL overwrite = TRUE);
    virtual UINT SetStringValue(const char* key, const char* value, BOOL overwrite = TRUE);
    virtual UINT SetBoolValue(const char* key, BOOL value, BOOL overwrite = TRUE);
    virtual UINT SetBinaryValue(const char* key, const BYTE* data, UINT count, BOOL overwrite = TRUE);
    virtual UINT GetStringValue(const char* key, CString& value, const char* default_value = "") const;
    virtual UINT GetIntValue(const char* key, int* value, int default_value = 0) const;
    virtual UINT GetUIntValue(const char* key, UINT* value, UINT default_value = 0) const;
    virtual UINT GetLongValue(const char* key, long* value, long default_value = 0) const;
    virtual UINT GetULongValue(const char* key, unsigned long* value, unsigned long default_value = 0) const;
    virtual UINT GetBoolValue(const char* key, BOOL* value, BOOL default_value = FALSE) const;
    // The decoded bytes in `*data` (new[]; the caller deletes[] them) and their count.
    virtual UINT GetBinaryValue(const char* key, BYTE** data, UINT* count) const;
    virtual BOOL SaveToStrategy(SECPersistentTreeStrategy* strategy) const;
    virtual BOOL LoadFromStrategy(SECPersistentTreeStrategy* strategy);
    virtual UINT AddChildNode(SECPersistentTreeNode* child);

    SECPersistentTreeNode* FindChildNode(const char* name) const;
    // A child made and owned by this node's factory; null when its Create fails.
    SECPersistentTreeNode* AddChild(const char* name, CRuntimeClass* cls = nullptr);
    const SECPersTreeNodeKeyValuePair* FindKeyValue(const char* key) const;
    // Takes the key out; FALSE when it was not there.
    BOOL RemoveKey(const char* key);
    void GetNodePath(CStringList& path) const;
    void GetChildNames(CStringList& names) const;
    int GetKeyCount() const { return int(pairs_.size()); }
    const CString& GetName() const { return m_strNodeName; }
    SECPersistentTreeNode* GetParentNode() const { return m_pParent; }
    BOOL IsCreated() const { return m_bCreated; }

    CString m_strNodeName;
    SECPersistentTreeNode* m_pParent = nullptr;

private:
    SECPersTreeNodeKeyValuePair* find_pair(const char* key) const;
    void remove_pieces(const CString& key, int from_piece);
    SECPTNFactory factory_;
    std::vector<SECPersistentTreeNode*> children_;  // registered, not owned
    std::vector<std::unique_ptr<SECPersTreeNodeKeyValuePair>> pairs_;
    BOOL m_bCreated = FALSE;
};

// The base of the toolbar manager: the frame it serves and the state hooks
// that it overrides.
class SECControlBarManager : public CObject {
    DECLARE_DYNAMIC(SECControlBarManager)
public:
    explicit SECControlBarManager(CFrameWnd* frame = nullptr) : m_pFrameWnd(frame) {}
    CFrameWnd* GetFrameWnd() const { return m_pFrameWnd; }
    virtual BOOL LoadState(SECPersistentTreeNode* node) { return node != nullptr; }
    virtual void LoadState(const char* profile_name) {}
    virtual BOOL SaveState(SECPersistentTreeNode* node, BOOL flag) { return flag != 0; }
    virtual void SaveState(const char* profile_name) {}
    virtual UINT GetBarTypeID(CControlBar* bar) { return 0; }
    virtual SECControlBarInfoEx* CreateBarInfo(SECControlBarInfo* info) { return nullptr; }
    virtual CControlBar* CreateBar(SECControlBarInfo* info) { return nullptr; }

protected:
    CFrameWnd* m_pFrameWnd;
};

// The binary encodings, shared with whoever stores blocks as text.
CString sec_encode_binary(const BYTE* data, UINT count);
std::vector<BYTE> sec_decode_binary(const CString& text);
