#include "ui/menucommands.h"

#include <vector>

#include "core/error.h"

namespace {
// Above the control ids and below the system commands (SC_*).
constexpr UINT kFirstCommand = 0x8000;
constexpr UINT kLastCommand = 0xEFFF;

struct Pool {
    std::vector<TMenuItem*> holders = std::vector<TMenuItem*>(kLastCommand - kFirstCommand + 1);
    size_t held = 0;
    size_t next = 0;
};

Pool& Commands()
{
    static Pool pool;
    return pool;
}
}  // namespace

UINT TakeMenuCommand(TMenuItem& item)
{
    Pool& pool = Commands();
    if (pool.held == pool.holders.size()) RaiseError("Out of menu command ids");
    // Round the pool: an id given back is taken again as late as can be, so a command posted
    // before its menu was filled anew finds nothing rather than another item.
    while (pool.holders[pool.next] != nullptr)
        pool.next = (pool.next + 1) % pool.holders.size();
    pool.holders[pool.next] = &item;
    ++pool.held;
    const UINT command = kFirstCommand + static_cast<UINT>(pool.next);
    pool.next = (pool.next + 1) % pool.holders.size();
    return command;
}

void GiveBackMenuCommand(UINT command) noexcept
{
    if (command < kFirstCommand || command > kLastCommand) return;
    Pool& pool = Commands();
    TMenuItem*& holder = pool.holders[command - kFirstCommand];
    if (holder == nullptr) return;
    holder = nullptr;
    --pool.held;
}

TMenuItem* MenuCommandItem(UINT command) noexcept
{
    if (command < kFirstCommand || command > kLastCommand) return nullptr;
    return Commands().holders[command - kFirstCommand];
}
