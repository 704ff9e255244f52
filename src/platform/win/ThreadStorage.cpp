#include "platform/win/ThreadStorage.h"

#include "platform/win/Lock.h"

#include <malloc.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// What the compiler emits for each thread_local variable (GCC's emulated
// TLS): its size, alignment and initial bytes, and the index this module
// gives it on first use (0 until then).
struct Variable {
    std::uintptr_t size;
    std::uintptr_t align;
    union {
        std::uintptr_t index;
        void* ptr;
    } loc;
    const void* initial;
};

// One thread's variables, by index - 1; every thread's list is linked so the
// module can free them all as it unloads.
struct ThreadVariables {
    ThreadVariables* prev;
    ThreadVariables* next;
    std::size_t count;
    void** blocks;
};

zarn::Lock lock;
DWORD slot = TLS_OUT_OF_INDEXES; // written under the lock
std::uintptr_t lastIndex = 0;
ThreadVariables* threads = nullptr;

[[noreturn]] void OutOfMemory() {
    std::abort(); // as the run time's own version does: there is no one to tell
}

// Gives the variable its index, and the module its slot, on first use.
std::uintptr_t Prepare(Variable& variable) {
    zarn::Lock::Held held(lock);
    if (slot == TLS_OUT_OF_INDEXES) {
        const DWORD allocated = TlsAlloc();
        if (allocated == TLS_OUT_OF_INDEXES)
            OutOfMemory();
        __atomic_store_n(&slot, allocated, __ATOMIC_RELEASE);
    }
    std::uintptr_t index = variable.loc.index;
    if (index == 0) {
        index = ++lastIndex;
        __atomic_store_n(&variable.loc.index, index, __ATOMIC_RELEASE);
    }
    return index;
}

ThreadVariables* Adopt() {
    auto* mine = static_cast<ThreadVariables*>(std::calloc(1, sizeof(ThreadVariables)));
    if (!mine)
        OutOfMemory();
    zarn::Lock::Held held(lock);
    mine->next = threads;
    if (threads)
        threads->prev = mine;
    threads = mine;
    TlsSetValue(slot, mine);
    return mine;
}

void Grow(ThreadVariables& mine, std::size_t count) {
    auto* blocks = static_cast<void**>(std::realloc(mine.blocks, count * sizeof(void*)));
    if (!blocks)
        OutOfMemory();
    std::memset(blocks + mine.count, 0, (count - mine.count) * sizeof(void*));
    mine.blocks = blocks;
    mine.count = count;
}

void* NewBlock(const Variable& variable) {
    const std::size_t align = variable.align > sizeof(void*) ? variable.align : sizeof(void*);
    void* block = _aligned_malloc(variable.size, align);
    if (!block)
        OutOfMemory();
    if (variable.initial)
        std::memcpy(block, variable.initial, variable.size);
    else
        std::memset(block, 0, variable.size);
    return block;
}

void Free(ThreadVariables* mine) {
    for (std::size_t i = 0; i < mine->count; ++i)
        _aligned_free(mine->blocks[i]);
    std::free(mine->blocks);
    std::free(mine);
}

void Unlink(ThreadVariables* mine) {
    (mine->prev ? mine->prev->next : threads) = mine->next;
    if (mine->next)
        mine->next->prev = mine->prev;
}

} // namespace

// The calling thread's copy of the variable. Keeps the thread's last error,
// which TlsGetValue clears, so that reading a thread_local between a failed
// call and GetLastError does not hide the failure.
extern "C" void* __emutls_get_address(void* control) {
    auto* variable = static_cast<Variable*>(control);
    std::uintptr_t index = __atomic_load_n(&variable->loc.index, __ATOMIC_ACQUIRE);
    if (index == 0 || __atomic_load_n(&slot, __ATOMIC_ACQUIRE) == TLS_OUT_OF_INDEXES)
        index = Prepare(*variable);
    const DWORD error = GetLastError();
    auto* mine = static_cast<ThreadVariables*>(TlsGetValue(slot));
    if (!mine)
        mine = Adopt();
    if (index > mine->count)
        Grow(*mine, index + 16);
    void*& block = mine->blocks[index - 1];
    if (!block)
        block = NewBlock(*variable);
    SetLastError(error);
    return block;
}

// Only C's common thread-local symbols come here; kept so that the run
// time's version, which would clash with the one above, is never linked in.
extern "C" void __emutls_register_common(void* control, std::uintptr_t size, std::uintptr_t align,
                                         void* initial) {
    auto* variable = static_cast<Variable*>(control);
    if (variable->size < size) {
        variable->size = size;
        variable->initial = nullptr;
    }
    if (variable->align < align)
        variable->align = align;
    if (initial && size == variable->size)
        variable->initial = initial;
}

namespace zarn {

void ReleaseThreadStorageOfThread() {
    zarn::Lock::Held held(lock);
    if (slot == TLS_OUT_OF_INDEXES)
        return;
    auto* mine = static_cast<ThreadVariables*>(TlsGetValue(slot));
    if (!mine)
        return;
    Unlink(mine);
    TlsSetValue(slot, nullptr);
    Free(mine);
}

void ReleaseThreadStorage() {
    zarn::Lock::Held held(lock);
    if (slot == TLS_OUT_OF_INDEXES)
        return;
    while (threads) {
        ThreadVariables* first = threads;
        Unlink(first);
        Free(first);
    }
    TlsFree(slot);
    __atomic_store_n(&slot, TLS_OUT_OF_INDEXES, __ATOMIC_RELEASE);
}

} // namespace zarn
