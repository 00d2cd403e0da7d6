#include <cstdint>
#include <string>

#include "adapters/wmiworks.h"

std::string ConfigurationResultText(int32_t code)
{
    switch (code) {
    case -1: return "The call failed";
    case 0: return "Successful completion, no reboot required";
    case 1: return "Successful completion, reboot required";
    case 64: return "Method not supported on this platform";
    case 65: return "Unknown failure";
    case 66: return "Invalid subnet mask";
    case 67: return "An error occurred while processing an instance that was returned";
    case 68: return "Invalid input parameter";
    case 69: return "More than five gateways specified";
    case 70: return "Invalid IP address";
    case 71: return "Invalid gateway IP address";
    case 72: return "An error occurred while accessing the registry for the requested information";
    case 73: return "Invalid domain name";
    case 74: return "Invalid host name";
    case 75: return "No primary or secondary WINS server defined";
    case 76: return "Invalid file";
    case 77: return "Invalid system path";
    case 78: return "File copy failed";
    case 79: return "Invalid security parameter";
    case 80: return "Unable to configure TCP/IP service";
    // EnableStatic answers 81 when the adapter was static already, and still makes the change.
    case 81: return "Unable to configure DHCP service";
    case 82: return "Unable to renew DHCP lease";
    case 83: return "Unable to release DHCP lease";
    case 84: return "IP not enabled on adapter";
    case 85: return "IPX not enabled on adapter";
    case 86: return "Frame or network number bounds error";
    case 87: return "Invalid frame type";
    case 88: return "Invalid network number";
    case 89: return "Duplicate network number";
    case 90: return "Parameter out of bounds";
    case 91: return "Access denied";
    case 92: return "Out of memory";
    case 93: return "Already exists";
    case 94: return "Path, file, or object not found";
    case 95: return "Unable to notify service";
    case 96: return "Unable to notify DNS service";
    case 97: return "Interface not configurable";
    case 98: return "Not all DHCP leases could be released or renewed";
    case 100: return "DHCP not enabled on adapter";
    default: return "Unknown result code " + std::to_string(code);
    }
}
