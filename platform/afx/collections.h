#pragma once
// The framework's arrays, lists and maps over standard containers. Indexes
// out of range throw CInvalidArgException instead of touching memory; lists
// and maps walk with POSITION values that stay valid while their element lives.
#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "platform/afx/byte_string.h"
#include "platform/afx/exceptions.h"
#include "platform/afx/object.h"

struct AFX_POSITION;
using POSITION = AFX_POSITION*;
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(-1))

template <typename T>
class CArray : public CObject {
public:
    int GetSize() const { return int(items_.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return items_.empty(); }
    void SetSize(int size, int = -1) { items_.resize(size_t(std::max(size, 0))); }
    void RemoveAll() { items_.clear(); }
    void FreeExtra() { items_.shrink_to_fit(); }

    const T& GetAt(int index) const { return items_[checked(index)]; }
    void SetAt(int index, const T& value) { items_[checked(index)] = value; }
    T& ElementAt(int index) { return items_[checked(index)]; }
    T& operator[](int index) { return ElementAt(index); }
    const T& operator[](int index) const { return GetAt(index); }
    T* GetData() { return items_.data(); }
    const T* GetData() const { return items_.data(); }

    int Add(const T& value) {
        items_.push_back(value);
        return GetUpperBound();
    }
    void SetAtGrow(int index, const T& value) {
        if (index < 0) AfxThrowInvalidArgException();
        if (index >= GetSize()) SetSize(index + 1);
        items_[size_t(index)] = value;
    }
    int Append(const CArray& other) {
        const int first = GetSize();
        items_.insert(items_.end(), other.items_.begin(), other.items_.end());
        return first;
    }
    void Copy(const CArray& other) { items_ = other.items_; }
    // Past the end grows the array, as the framework does.
    void InsertAt(int index, const T& value, int count = 1) {
        if (index < 0 || count < 0) AfxThrowInvalidArgException();
        if (index > GetSize()) SetSize(index);
        items_.insert(items_.begin() + index, size_t(count), value);
    }
    void RemoveAt(int index, int count = 1) {
        if (index < 0 || count < 0 || index + count > GetSize()) AfxThrowInvalidArgException();
        items_.erase(items_.begin() + index, items_.begin() + index + count);
    }

private:
    size_t checked(int index) const {
        if (index < 0 || index >= GetSize()) AfxThrowInvalidArgException();
        return size_t(index);
    }
    std::vector<T> items_;
};

class CObArray : public CArray<CObject*> {};
class CPtrArray : public CArray<void*> {};
class CDWordArray : public CArray<DWORD> {};
class CUIntArray : public CArray<UINT> {};
class CWordArray : public CArray<WORD> {};
class CByteArray : public CArray<BYTE> {};
class CStringArray : public CArray<CString> {};

// An array of pointers of one type over CObArray or CPtrArray.
template <typename Base, typename T>
class CTypedPtrArray : public Base {
public:
    T GetAt(int index) const { return static_cast<T>(Base::GetAt(index)); }
    T operator[](int index) const { return GetAt(index); }
    int Add(T value) { return Base::Add(value); }
    void SetAt(int index, T value) { Base::SetAt(index, value); }
    void SetAtGrow(int index, T value) { Base::SetAtGrow(index, value); }
    void InsertAt(int index, T value, int count = 1) { Base::InsertAt(index, value, count); }
};

template <typename T>
class CList : public CObject {
    struct Node {
        Node* next = nullptr;
        Node* prev = nullptr;
        T value;
    };
    static Node* node(POSITION position) {
        if (!position) AfxThrowInvalidArgException();
        return reinterpret_cast<Node*>(position);
    }
    static POSITION position_of(Node* n) { return reinterpret_cast<POSITION>(n); }

public:
    CList() = default;
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() override { RemoveAll(); }

    int GetCount() const { return count_; }
    int GetSize() const { return count_; }
    BOOL IsEmpty() const { return count_ == 0; }
    T& GetHead() { return node(position_of(head_))->value; }
    T& GetTail() { return node(position_of(tail_))->value; }
    POSITION GetHeadPosition() const { return position_of(head_); }
    POSITION GetTailPosition() const { return position_of(tail_); }
    T& GetNext(POSITION& position) {
        Node* n = node(position);
        position = position_of(n->next);
        return n->value;
    }
    T& GetPrev(POSITION& position) {
        Node* n = node(position);
        position = position_of(n->prev);
        return n->value;
    }
    T& GetAt(POSITION position) { return node(position)->value; }
    void SetAt(POSITION position, const T& value) { node(position)->value = value; }

    POSITION AddHead(const T& value) { return InsertBefore(position_of(head_), value); }
    POSITION AddTail(const T& value) { return InsertAfter(position_of(tail_), value); }
    POSITION InsertBefore(POSITION position, const T& value) {
        Node* at = reinterpret_cast<Node*>(position);
        Node* n = new Node{at, at ? at->prev : tail_, value};
        link(n);
        return position_of(n);
    }
    POSITION InsertAfter(POSITION position, const T& value) {
        Node* at = reinterpret_cast<Node*>(position);
        Node* n = new Node{at ? at->next : head_, at, value};
        link(n);
        return position_of(n);
    }
    T RemoveHead() { return take(node(position_of(head_))); }
    T RemoveTail() { return take(node(position_of(tail_))); }
    void RemoveAt(POSITION position) { take(node(position)); }
    void RemoveAll() {
        while (head_) take(head_);
    }
    POSITION Find(const T& value, POSITION after = nullptr) const {
        for (Node* n = after ? reinterpret_cast<Node*>(after)->next : head_; n; n = n->next)
            if (n->value == value) return position_of(n);
        return nullptr;
    }
    POSITION FindIndex(int index) const {
        if (index < 0) return nullptr;
        Node* n = head_;
        while (n && index--) n = n->next;
        return position_of(n);
    }

private:
    void link(Node* n) {
        (n->prev ? n->prev->next : head_) = n;
        (n->next ? n->next->prev : tail_) = n;
        ++count_;
    }
    T take(Node* n) {
        (n->prev ? n->prev->next : head_) = n->next;
        (n->next ? n->next->prev : tail_) = n->prev;
        --count_;
        T value = std::move(n->value);
        delete n;
        return value;
    }
    Node* head_ = nullptr;
    Node* tail_ = nullptr;
    int count_ = 0;
};

class CObList : public CList<CObject*> {};
class CPtrList : public CList<void*> {};
class CStringList : public CList<CString> {};

template <typename Base, typename T>
class CTypedPtrList : public Base {
public:
    T GetHead() { return static_cast<T>(Base::GetHead()); }
    T GetTail() { return static_cast<T>(Base::GetTail()); }
    T GetNext(POSITION& position) { return static_cast<T>(Base::GetNext(position)); }
    T GetPrev(POSITION& position) { return static_cast<T>(Base::GetPrev(position)); }
    T GetAt(POSITION position) { return static_cast<T>(Base::GetAt(position)); }
    T RemoveHead() { return static_cast<T>(Base::RemoveHead()); }
    T RemoveTail() { return static_cast<T>(Base::RemoveTail()); }
};

// Keys in order; a POSITION is the address of the entry, which a std::map keeps stable.
template <typename Key, typename Value>
class CMap : public CObject {
    using Entries = std::map<Key, Value>;

public:
    int GetCount() const { return int(entries_.size()); }
    int GetSize() const { return GetCount(); }
    BOOL IsEmpty() const { return entries_.empty(); }
    BOOL Lookup(const Key& key, Value& value) const {
        auto found = entries_.find(key);
        if (found == entries_.end()) return FALSE;
        value = found->second;
        return TRUE;
    }
    void SetAt(const Key& key, const Value& value) { entries_[key] = value; }
    Value& operator[](const Key& key) { return entries_[key]; }
    BOOL RemoveKey(const Key& key) { return entries_.erase(key) ? TRUE : FALSE; }
    void RemoveAll() { entries_.clear(); }
    POSITION GetStartPosition() const { return position_of(entries_.begin()); }
    void GetNextAssoc(POSITION& position, Key& key, Value& value) const {
        if (!position) AfxThrowInvalidArgException();
        auto* entry = reinterpret_cast<const typename Entries::value_type*>(position);
        key = entry->first;
        value = entry->second;
        position = position_of(std::next(entries_.find(entry->first)));
    }

private:
    POSITION position_of(typename Entries::const_iterator it) const {
        return it == entries_.end() ? nullptr
                                    : reinterpret_cast<POSITION>(const_cast<typename Entries::value_type*>(&*it));
    }
    Entries entries_;
};

class CMapPtrToPtr : public CMap<void*, void*> {};
class CMapWordToPtr : public CMap<WORD, void*> {};
class CMapStringToPtr : public CMap<CString, void*> {};
class CMapStringToOb : public CMap<CString, CObject*> {};
class CMapStringToString : public CMap<CString, CString> {};
