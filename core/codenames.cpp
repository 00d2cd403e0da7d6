#include "core/codenames.h"

namespace {
struct CodeName {
    uint32_t code;
    const char* name;
};

// OLE Automation (oleauto.h's DISP_E_ codes), COM and RPC, and WMI's WBEMSTATUS codes, with
// the texts Windows gives them where it has one.
constexpr CodeName kNames[] = {
    {0x80004001u, "Not implemented"},
    {0x80004002u, "No such interface supported"},
    {0x80004005u, "Unspecified error"},
    {0x80070005u, "Access is denied"},
    {0x80070057u, "The parameter is incorrect"},
    {0x8007000Eu, "Not enough memory"},
    {0x80010001u, "Call was rejected by callee"},
    {0x80010108u, "The object invoked has disconnected from its clients"},
    {0x8001010Au, "The application is busy"},
    {0x800401E4u, "Invalid syntax"},
    {0x800401F0u, "CoInitialize has not been called"},
    {0x80040154u, "Class not registered"},
    {0x800706BAu, "The RPC server is unavailable"},
    {0x800706BEu, "The remote procedure call failed"},
    {0x80020001u, "Unknown interface"},
    {0x80020003u, "Member not found"},
    {0x80020004u, "Parameter not found"},
    {0x80020005u, "Type mismatch"},
    {0x80020006u, "Unknown name"},
    {0x80020007u, "No named arguments"},
    {0x80020008u, "Bad variable type"},
    {0x80020009u, "Exception occurred"},
    {0x8002000Au, "Out of present range"},
    {0x8002000Eu, "Invalid number of parameters"},
    {0x8002000Fu, "Parameter not optional"},
    {0x80041001u, "Generic failure"},
    {0x80041002u, "Not found"},
    {0x80041003u, "Access denied"},
    {0x80041004u, "Provider failure"},
    {0x80041005u, "Type mismatch"},
    {0x80041006u, "Out of memory"},
    {0x80041008u, "Invalid parameter"},
    {0x80041009u, "Not available"},
    {0x8004100Au, "Critical error"},
    {0x8004100Cu, "Not supported"},
    {0x8004100Eu, "Invalid namespace"},
    {0x80041010u, "Invalid class"},
    {0x80041011u, "Provider not found"},
    {0x80041013u, "Provider load failure"},
    {0x80041014u, "Initialization failure"},
    {0x80041015u, "Transport failure"},
    {0x80041016u, "Invalid operation"},
    {0x80041017u, "Invalid query"},
    {0x80041018u, "Invalid query type"},
    {0x8004102Eu, "Invalid method"},
    {0x8004102Fu, "Invalid method parameters"},
    {0x80041032u, "Call cancelled"},
    {0x80041033u, "Shutting down"},
};
}  // namespace

const char* StatusCodeName(uint32_t code)
{
    for (const CodeName& entry : kNames) {
        if (entry.code == code) return entry.name;
    }
    return nullptr;
}
