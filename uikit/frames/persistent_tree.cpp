#include "uikit/frames/persistent_tree.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNCREATE(SECPersistentTreeNode, CObject)
IMPLEMENT_DYNAMIC(SECControlBarManager, CObject)

namespace {

constexpr int kPieceLength = 250;
constexpr const char* kCountSuffix = "_BinCount";
constexpr const char* kPieceSuffix = "_BinVal";

bool empty(const char* text) { return !text || !*text; }

CString piece_key(const CString& key, int index) {
    CString made;
    made.Format("%s%s%d", static_cast<const char*>(key), kPieceSuffix, index);
    return made;
}

CString count_key(const CString& key) { return key + kCountSuffix; }

}  // namespace

// ---- encodings ---------------------------------------------------------------

CString sec_encode_binary(const BYTE* data, UINT count) {
    std::string text;
    text.reserve(std::size_t(count) * 2);
    for (UINT i = 0; i < count; ++i) {
        text.push_back(char('A' + (data[i] & 0x0F)));
        text.push_back(char('A' + (data[i] >> 4)));
    }
    return CString(text.c_str());
}

std::vector<BYTE> sec_decode_binary(const CString& text) {
    const int count = text.GetLength() / 2;
    std::vector<BYTE> bytes(std::size_t(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        const int c0 = static_cast<unsigned char>(text[2 * i]), c1 = static_cast<unsigned char>(text[2 * i + 1]);
        bytes[std::size_t(i)] = BYTE((c1 * 16 + c0 - 'Q') & 0xFF);
    }
    return bytes;
}

// ---- factory -----------------------------------------------------------------

CObject* SECPTNFactory::Create(CRuntimeClass* cls) {
    CObject* object = cls ? cls->CreateObject() : nullptr;
    if (object) made_.emplace_back(object);
    return object;
}

void SECPTNFactory::Delete(CObject* object) {
    std::erase_if(made_, [object](const std::unique_ptr<CObject>& made) { return made.get() == object; });
}

// ---- node --------------------------------------------------------------------

SECPersistentTreeNode::~SECPersistentTreeNode() {
    // The factory's nodes go after this node's own state; a child made elsewhere is only forgotten.
    pairs_.clear();
    children_.clear();
}

UINT SECPersistentTreeNode::Create(const char* name, SECPersistentTreeNode* parent) {
    if (m_bCreated) return PTN_ALREADY_CREATED;
    if (empty(name)) return PTN_EMPTY_NAME;
    m_strNodeName = name;
    m_pParent = parent;
    if (parent) {
        const UINT refused = parent->AddChildNode(this);
        if (refused) {
            m_pParent = nullptr;
            return refused == PTN_CHILD_EXISTS ? PTN_CHILD_EXISTS : PTN_OTHER;
        }
    }
    m_bCreated = TRUE;
    return PTN_OK;
}

UINT SECPersistentTreeNode::AddChildNode(SECPersistentTreeNode* child) {
    if (!m_bCreated) return PTN_NOT_CREATED;
    if (!child) return PTN_EMPTY_NAME;
    if (FindChildNode(child->m_strNodeName)) return PTN_CHILD_EXISTS;
    children_.push_back(child);
    return PTN_OK;
}

SECPersistentTreeNode* SECPersistentTreeNode::FindChildNode(const char* name) const {
    if (empty(name)) return nullptr;
    for (SECPersistentTreeNode* child : children_)
        if (std::strcmp(child->m_strNodeName, name) == 0) return child;
    return nullptr;
}

SECPersistentTreeNode* SECPersistentTreeNode::AddChild(const char* name, CRuntimeClass* cls) {
    CObject* made = factory_.Create(cls ? cls : RUNTIME_CLASS(SECPersistentTreeNode));
    if (!made) return nullptr;
    if (!made->IsKindOf(RUNTIME_CLASS(SECPersistentTreeNode))) {
        factory_.Delete(made);
        return nullptr;
    }
    auto* node = static_cast<SECPersistentTreeNode*>(made);
    if (node->Create(name, this) != PTN_OK) {
        factory_.Delete(made);
        return nullptr;
    }
    return node;
}

SECPersistentTreeNode::SECPersTreeNodeKeyValuePair* SECPersistentTreeNode::find_pair(const char* key) const {
    if (empty(key)) return nullptr;
    for (const auto& pair : pairs_)
        if (std::strcmp(pair->m_strKey, key) == 0) return pair.get();
    return nullptr;
}

const SECPersistentTreeNode::SECPersTreeNodeKeyValuePair* SECPersistentTreeNode::FindKeyValue(const char* key) const {
    return find_pair(key);
}

BOOL SECPersistentTreeNode::RemoveKey(const char* key) {
    const SECPersTreeNodeKeyValuePair* pair = find_pair(key);
    if (!pair) return FALSE;
    std::erase_if(pairs_, [pair](const auto& held) { return held.get() == pair; });
    return TRUE;
}

UINT SECPersistentTreeNode::SetStringValue(const char* key, const char* value, BOOL overwrite) {
    UINT code = 0;
    if (!m_bCreated) code |= PTN_NOT_CREATED;
    if (empty(key)) code |= PTN_EMPTY_KEY;
    SECPersTreeNodeKeyValuePair* pair = code & PTN_EMPTY_KEY ? nullptr : find_pair(key);
    if (pair && !overwrite) code |= PTN_KEY_EXISTS;
    if (code) return code;
    if (pair) {
        pair->m_strValue = value ? value : "";
    } else {
        pairs_.push_back(std::make_unique<SECPersTreeNodeKeyValuePair>(
            SECPersTreeNodeKeyValuePair{CString(key), CString(value ? value : "")}));
    }
    return PTN_OK;
}

UINT SECPersistentTreeNode::SetIntValue(const char* key, int value, BOOL overwrite) {
    CString text;
    text.Format("%d", value);
    return SetStringValue(key, text, overwrite);
}

UINT SECPersistentTreeNode::SetBoolValue(const char* key, BOOL value, BOOL overwrite) {
    return SetStringValue(key, value ? "True" : "False", overwrite);
}

// Drops the pieces of a long value from `from_piece` on, and their count when all go.
void SECPersistentTreeNode::remove_pieces(const CString& key, int from_piece) {
    for (int i = from_piece;; ++i)
        if (!RemoveKey(piece_key(key, i))) break;
    if (from_piece == 0) RemoveKey(count_key(key));
}

UINT SECPersistentTreeNode::SetBinaryValue(const char* key, const BYTE* data, UINT count, BOOL overwrite) {
    if (!data) return PTN_NO_BUFFER;
    if (!m_bCreated) return PTN_NOT_CREATED;
    if (empty(key)) return PTN_EMPTY_KEY;
    const CString name(key);
    if (!overwrite && (find_pair(name) || find_pair(count_key(name)))) return PTN_KEY_EXISTS;
    const CString text = sec_encode_binary(data, count);
    const int length = text.GetLength();
    if (length <= kPieceLength) {
        // A value rewritten short leaves no pieces of a longer one behind to be read instead.
        remove_pieces(name, 0);
        return SetStringValue(name, text, overwrite);
    }
    const int pieces = (length + kPieceLength - 1) / kPieceLength;
    if (const UINT failed = SetIntValue(count_key(name), pieces, TRUE)) return failed;
    RemoveKey(name);
    for (int i = 0; i < pieces; ++i) SetStringValue(piece_key(name, i), text.Mid(i * kPieceLength, kPieceLength), TRUE);
    remove_pieces(name, pieces);
    return PTN_OK;
}

UINT SECPersistentTreeNode::GetStringValue(const char* key, CString& value, const char* default_value) const {
    value = default_value ? default_value : "";
    const SECPersTreeNodeKeyValuePair* pair = find_pair(key);
    if (!pair) return PTN_KEY_NOT_FOUND;
    value = pair->m_strValue;
    return PTN_OK;
}

UINT SECPersistentTreeNode::GetIntValue(const char* key, int* value, int default_value) const {
    if (value) *value = default_value;
    CString text;
    const UINT code = GetStringValue(key, text);
    if (code == PTN_OK && value) *value = std::atoi(text);
    return code;
}

UINT SECPersistentTreeNode::GetUIntValue(const char* key, UINT* value, UINT default_value) const {
    if (value) *value = default_value;
    CString text;
    const UINT code = GetStringValue(key, text);
    if (code == PTN_OK && value) *value = UINT(std::atoi(text));
    return code;
}

UINT SECPersistentTreeNode::GetLongValue(const char* key, long* value, long default_value) const {
    if (value) *value = default_value;
    CString text;
    const UINT code = GetStringValue(key, text);
    if (code == PTN_OK && value) *value = std::atol(text);
    return code;
}

UINT SECPersistentTreeNode::GetULongValue(const char* key, unsigned long* value, unsigned long default_value) const {
    if (value) *value = default_value;
    CString text;
    const UINT code = GetStringValue(key, text);
    if (code == PTN_OK && value) *value = static_cast<unsigned long>(std::atol(text));
    return code;
}

UINT SECPersistentTreeNode::GetBoolValue(const char* key, BOOL* value, BOOL default_value) const {
    if (value) *value = default_value;
    CString text;
    const UINT code = GetStringValue(key, text);
    if (code == PTN_OK && value) {
        text.MakeUpper();
        *value = text == "TRUE";
    }
    return code;
}

UINT SECPersistentTreeNode::GetBinaryValue(const char* key, BYTE** data, UINT* count) const {
    if (!data) return PTN_NO_BUFFER;
    *data = nullptr;
    if (count) *count = 0;
    if (empty(key)) return PTN_KEY_NOT_FOUND;
    const CString name(key);
    CString text;
    if (const SECPersTreeNodeKeyValuePair* counted = find_pair(count_key(name))) {
        // Every piece must be there: a missing one would shift the bytes after it. The
        // count can name no more pieces than the node holds keys, however large it reads.
        const long pieces = std::atol(counted->m_strValue);
        if (pieces < 0 || pieces > long(pairs_.size())) return PTN_KEY_NOT_FOUND;
        for (long i = 0; i < pieces; ++i) {
            const SECPersTreeNodeKeyValuePair* piece = find_pair(piece_key(name, int(i)));
            if (!piece) return PTN_KEY_NOT_FOUND;
            text += piece->m_strValue;
        }
    } else if (const UINT code = GetStringValue(name, text)) {
        return code;
    }
    if (text.IsEmpty()) return PTN_OTHER;
    const std::vector<BYTE> bytes = sec_decode_binary(text);
    *data = new BYTE[bytes.size()];
    std::copy(bytes.begin(), bytes.end(), *data);
    if (count) *count = UINT(bytes.size());
    return PTN_OK;
}

void SECPersistentTreeNode::GetNodePath(CStringList& path) const {
    path.RemoveAll();
    for (const SECPersistentTreeNode* node = this; node; node = node->m_pParent) path.AddTail(node->m_strNodeName);
}

void SECPersistentTreeNode::GetChildNames(CStringList& names) const {
    names.RemoveAll();
    for (const SECPersistentTreeNode* child : children_) names.AddTail(child->m_strNodeName);
}

BOOL SECPersistentTreeNode::SaveToStrategy(SECPersistentTreeStrategy* strategy) const {
    if (!m_bCreated || !strategy) return FALSE;
    CStringList path, names;
    GetNodePath(path);
    strategy->BeginNode(path);
    for (const auto& pair : pairs_) strategy->WriteValue(path, pair->m_strKey, pair->m_strValue);
    GetChildNames(names);
    strategy->WriteChildNames(path, names);
    BOOL all = TRUE;
    for (const SECPersistentTreeNode* child : children_) all = child->SaveToStrategy(strategy) && all;
    return all;
}

BOOL SECPersistentTreeNode::LoadFromStrategy(SECPersistentTreeStrategy* strategy) {
    if (!m_bCreated || !strategy) return FALSE;
    CStringList path, keys, values, children;
    GetNodePath(path);
    if (!strategy->ReadNode(path, keys, values, children)) return FALSE;
    POSITION k = keys.GetHeadPosition(), v = values.GetHeadPosition();
    while (k && v) {
        const CString& key = keys.GetNext(k);
        SetStringValue(key, values.GetNext(v), TRUE);
    }
    for (POSITION c = children.GetHeadPosition(); c;) {
        const CString& name = children.GetNext(c);
        SECPersistentTreeNode* child = FindChildNode(name);
        if (!child) child = AddChild(name);
        if (child) child->LoadFromStrategy(strategy);
    }
    return TRUE;
}
