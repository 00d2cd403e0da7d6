#include "simnet/simargs.h"

#include "core/check.h"

namespace {
bool IsIntegerType(VARTYPE type)
{
    switch (type) {
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_INT:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UINT: return true;
    default: return false;
    }
}

// Sorts one scalar into the record's texts or integers; other types are only counted.
void AddElement(SimArg& record, const VARIANT& element)
{
    if (element.vt == VT_BSTR) {
        record.texts.emplace_back(element.bstrVal != nullptr ? element.bstrVal : L"");
    } else if (IsIntegerType(element.vt)) {
        record.ints.push_back(VariantInt(element));
    }
}

void AddArrayElements(SimArg& record, const VARIANT& value)
{
    SAFEARRAY* array = value.parray;
    if (array == nullptr) return;
    record.dimensions = SafeArrayGetDim(array);
    // Elements are read by one index only, which a many-dimensional array cannot take.
    if (record.dimensions != 1) return;
    LONG upper = 0;
    ArrayBounds(value, record.lowerBound, upper);
    record.count = upper >= record.lowerBound ? static_cast<size_t>(upper - record.lowerBound + 1) : 0;
    for (LONG i = record.lowerBound; i <= upper; ++i)
        AddElement(record, ArrayElement(value, i).get());
}
}  // namespace

SimArg DecodeArg(const VARIANT& arg)
{
    SimArg record;
    Variant value;
    if ((arg.vt & VT_BYREF) != 0) {
        record.kind = SimArg::Kind::ByRef;
        CheckHr(VariantCopyInd(value.put(), const_cast<VARIANT*>(&arg)), "VariantCopyInd");
    } else {
        CheckHr(VariantCopy(value.put(), const_cast<VARIANT*>(&arg)), "VariantCopy");
    }
    const VARIANT& v = value.get();
    record.type = v.vt;
    if (v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND) {
        record.kind = SimArg::Kind::Omitted;
    } else if ((v.vt & VT_ARRAY) != 0) {
        AddArrayElements(record, v);
    } else {
        record.count = 1;
        AddElement(record, v);
    }
    return record;
}

bool IsTextList(const SimArg& arg)
{
    return arg.kind != SimArg::Kind::Omitted && (arg.type & VT_ARRAY) != 0 && arg.dimensions == 1 &&
           arg.texts.size() == arg.count;
}

bool IsIntList(const SimArg& arg)
{
    return arg.kind != SimArg::Kind::Omitted && (arg.type & VT_ARRAY) != 0 && arg.dimensions == 1 &&
           arg.ints.size() == arg.count;
}
