// ZU_Dictionary: the model's ordered map, a height-balanced (AVL) binary search
// tree. It never deletes its values: the owner of the dictionary deletes them
// before the nodes are freed.
#pragma once

#include <cstddef>
#include <new>

#include <vedrix/model/small_object_pool.h>

template <class K, class V>
class ZU_Dictionary {
    template <class T>
    using Pool = vedrix::model::detail::SmallObjectPool<
        sizeof(T), (alignof(T) < alignof(void*) ? alignof(void*) : alignof(T))>;
    // An AVL tree of n nodes is at most 1.44 * log2(n + 2) high.
    static constexpr int kMaxHeight = 96;

public:
    struct Node {
        Node* left;
        Node* right;
        int balance;  // height(right) - height(left): -1, 0 or +1
        V value;
        K key;

        // Nodes come from the small-object pool (see small_object_pool.h).
        static void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
            try {
                return size == sizeof(Node) ? Pool<Node>::allocate() : ::operator new(size);
            } catch (const std::bad_alloc&) {
                return nullptr;
            }
        }
        static void operator delete(void* p, std::size_t size) noexcept {
            if (size == sizeof(Node)) {
                Pool<Node>::deallocate(p);
            } else {
                ::operator delete(p);
            }
        }
        static void operator delete(void* p, const std::nothrow_t&) noexcept {
            Pool<Node>::deallocate(p);
        }
    };

    // In-order iteration with the iterator's own stack of nodes, as high as
    // the tree can be.
    class Iterator {
    public:
        Iterator() = default;
        explicit Iterator(const Node* root) { pushLeftSpine(root); }

        bool atEnd() const { return m_depth == 0; }
        const K& key() const { return m_stack[m_depth - 1]->key; }
        V& value() const { return const_cast<Node*>(m_stack[m_depth - 1])->value; }
        void next() {
            const Node* n = m_stack[--m_depth];
            pushLeftSpine(n->right);
        }

        // Range-for support: *it yields the node, with its key and value.
        const Node& operator*() const { return *m_stack[m_depth - 1]; }
        Iterator& operator++() {
            next();
            return *this;
        }
        bool operator!=(const Iterator& other) const { return m_depth != other.m_depth; }

    private:
        void pushLeftSpine(const Node* n) {
            for (; n != nullptr; n = n->left) {
                m_stack[m_depth++] = n;
            }
        }

        const Node* m_stack[kMaxHeight];  // only the first m_depth are set
        int m_depth = 0;
    };

    ZU_Dictionary() = default;
    ZU_Dictionary(const ZU_Dictionary&) = delete;
    ZU_Dictionary& operator=(const ZU_Dictionary&) = delete;
    ~ZU_Dictionary() { clear(); }

    std::size_t size() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }

    // Frees every node; the values are the owner's.
    void clear() {
        freeNodes(m_root);
        m_root = nullptr;
        m_count = 0;
    }

    // The value slot of `key`: a new node holding V{} when the key is absent,
    // the existing slot otherwise, so that the caller's assignment replaces the
    // old value. Null when no node can be allocated.
    V* insert(const K& key) {
        // Down to the key's place, remembering the way: each node passed and
        // the link that points at it.
        Node** links[kMaxHeight];
        bool wentLeft[kMaxHeight];
        int depth = 0;
        Node** link = &m_root;
        while (*link != nullptr) {
            Node* n = *link;
            if (key < n->key) {
                wentLeft[depth] = true;
            } else if (n->key < key) {
                wentLeft[depth] = false;
            } else {
                return &n->value;
            }
            links[depth++] = link;
            link = wentLeft[depth - 1] ? &n->left : &n->right;
        }
        Node* created = new (std::nothrow) Node{nullptr, nullptr, 0, V{}, key};
        if (created == nullptr) {
            return nullptr;
        }
        *link = created;
        ++m_count;
        // Back up: every subtree on the way grew by one level until one
        // absorbs it or is rotated back to its old height.
        for (int i = depth - 1; i >= 0; --i) {
            bool grew = true;
            Node* n = *links[i];
            *links[i] = wentLeft[i] ? growLeft(n, grew) : growRight(n, grew);
            if (!grew) {
                break;
            }
        }
        return &created->value;
    }

    // The value slot of `key`, or null.
    V* find(const K& key) const {
        Node* n = m_root;
        while (n != nullptr) {
            if (key < n->key) {
                n = n->left;
            } else if (n->key < key) {
                n = n->right;
            } else {
                return &n->value;
            }
        }
        return nullptr;
    }
    bool contains(const K& key) const { return find(key) != nullptr; }

    Iterator begin() const { return Iterator(m_root); }
    Iterator end() const { return Iterator(); }

    // The root node, for code that inspects the tree's shape.
    const Node* rootNode() const { return m_root; }

private:
    static void freeNodes(Node* n) {
        // Recursion depth is the tree height, which stays logarithmic.
        if (n == nullptr) {
            return;
        }
        freeNodes(n->left);
        freeNodes(n->right);
        delete n;
    }

    static Node* growLeft(Node* n, bool& grew) {
        if (n->balance == 1) {
            n->balance = 0;
            grew = false;
            return n;
        }
        if (n->balance == 0) {
            n->balance = -1;
            return n;  // still grew
        }
        grew = false;
        Node* l = n->left;
        if (l->balance == -1) {  // single right rotation
            n->left = l->right;
            l->right = n;
            n->balance = 0;
            l->balance = 0;
            return l;
        }
        Node* lr = l->right;  // double rotation
        l->right = lr->left;
        n->left = lr->right;
        lr->left = l;
        lr->right = n;
        n->balance = lr->balance == -1 ? 1 : 0;
        l->balance = lr->balance == 1 ? -1 : 0;
        lr->balance = 0;
        return lr;
    }

    static Node* growRight(Node* n, bool& grew) {
        if (n->balance == -1) {
            n->balance = 0;
            grew = false;
            return n;
        }
        if (n->balance == 0) {
            n->balance = 1;
            return n;
        }
        grew = false;
        Node* r = n->right;
        if (r->balance == 1) {  // single left rotation
            n->right = r->left;
            r->left = n;
            n->balance = 0;
            r->balance = 0;
            return r;
        }
        Node* rl = r->left;  // double rotation
        r->left = rl->right;
        n->right = rl->left;
        rl->right = r;
        rl->left = n;
        n->balance = rl->balance == 1 ? -1 : 0;
        r->balance = rl->balance == -1 ? 1 : 0;
        rl->balance = 0;
        return rl;
    }

    Node* m_root = nullptr;
    std::size_t m_count = 0;
};
