#pragma once
// Opening an address through the Windows shell (the default browser for a web address, the
// mail program for a mailto: address). Tests put an observer in the shell's place.
#include <functional>
#include <string>

// What a link label's browse-to-address action does: sets its address and executes it.
class TBrowseURL {
public:
    explicit TBrowseURL(std::string address = {}) : m_address(std::move(address)) {}
    const std::string& URL() const noexcept { return m_address; }
    void SetURL(std::string address) { m_address = std::move(address); }
    // Raises when the shell cannot open the address.
    void Execute() const;

private:
    std::string m_address;
};

using ShellOpenFunction = std::function<void(const std::string& address)>;
// Replaces the shell (an empty function restores it); returns the one it replaces.
ShellOpenFunction SetShellOpen(ShellOpenFunction function);
