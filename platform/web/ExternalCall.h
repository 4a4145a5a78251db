#pragma once
// The page side of `window.external`: a hosting window answers page script through a
// dispatch table, a list of method names with the callback that runs each. Page script
// calls arrive as JSON text {"method": name, "args": [...]}, which is parsed here.
#include "platform/com/Variant.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tev {

using ExternalArgs = std::vector<CComVariant>;
using ExternalMethod = std::function<void(const ExternalArgs& args)>;

class DispatchTable {
public:
    // Adds or replaces a method. Names are script identifiers (letters, digits, '_', '$',
    // not starting with a digit); other names are refused.
    bool Add(const std::string& name, ExternalMethod method);
    // Runs `name` with `args`; false when the table has no such method.
    bool Invoke(const std::string& name, const ExternalArgs& args) const;
    bool Has(const std::string& name) const { return m_methods.count(name) != 0; }
    std::vector<std::string> Names() const;
    bool Empty() const { return m_methods.empty(); }

    static bool IsScriptIdentifier(std::string_view name);

private:
    std::map<std::string, ExternalMethod> m_methods;
};

// A window that offers page script a dispatch table as its `window.external`.
class ExternalDispatchHost {
public:
    virtual ~ExternalDispatchHost() = default;
    virtual const DispatchTable* GetExternalDispatch() const = 0;
};

struct ExternalCall {
    std::string method;
    ExternalArgs args;
};

// Parses one call. Arguments become variants: strings VT_BSTR, integers that fit 32 bits
// VT_I4, other numbers VT_R8, true/false VT_BOOL, null VT_NULL; arrays and objects come as
// their JSON text (VT_BSTR). False for text that is not such an object, nested too deeply,
// or lacks a string "method".
bool ParseExternalCall(std::string_view json, ExternalCall& call);

// The user script that makes `window.external` an object with one method per name, each
// posting {method, args} as JSON text to the script message handler `handlerName`. With no
// names the object is empty.
std::string ExternalObjectScript(const std::vector<std::string>& names,
                                 const std::string& handlerName);

} // namespace tev
