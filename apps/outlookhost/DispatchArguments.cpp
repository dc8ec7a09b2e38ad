#include "apps/outlookhost/DispatchArguments.h"

#include "common/outlook/RaisedError.h"

namespace telvane::outlookhost {

DispatchArguments::DispatchArguments(WORD flags, DISPPARAMS& params, UINT* argError)
    : m_flags(flags), m_params(params), m_argError(argError) {
    bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (put && (params.cNamedArgs != 1 || !params.rgdispidNamedArgs ||
                params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)) {
        throw Failure{DISP_E_PARAMNOTOPTIONAL};
    }
    if (!put && params.cNamedArgs != 0)
        throw Failure{DISP_E_NONAMEDARGS};
    m_positional = params.cArgs - params.cNamedArgs;
}

bool DispatchArguments::Has(UINT position) const {
    if (position >= m_positional)
        return false;
    const VARIANT& value = At(position);
    // A caller leaving out an optional argument passes DISP_E_PARAMNOTFOUND.
    return !(value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND);
}

const VARIANT& DispatchArguments::At(UINT position) const {
    if (position >= m_positional)
        throw Failure{DISP_E_BADPARAMCOUNT};
    // Named arguments come first in rgvarg; positional ones follow, last to first.
    return m_params.rgvarg[m_params.cArgs - 1 - position];
}

void DispatchArguments::Fail(HRESULT hr, UINT index) const {
    if (m_argError)
        *m_argError = index;
    throw Failure{hr};
}

ComVariant DispatchArguments::Value(UINT position) const {
    return ComVariant::CopyOf(At(position));
}

std::int32_t DispatchArguments::Int32(UINT position) const {
    try {
        return Value(position).ToInt32();
    } catch (const RaisedError&) {
        Fail(DISP_E_TYPEMISMATCH, m_params.cArgs - 1 - position);
    }
}

std::string DispatchArguments::Text(UINT position) const {
    try {
        return Value(position).ToText();
    } catch (const RaisedError&) {
        Fail(DISP_E_TYPEMISMATCH, m_params.cArgs - 1 - position);
    }
}

ComVariant DispatchArguments::PutValue() const {
    if (!IsPut())
        throw Failure{DISP_E_MEMBERNOTFOUND};
    return ComVariant::CopyOf(m_params.rgvarg[0]);
}

}  // namespace telvane::outlookhost
