// The bridge's read and write of a contact's field against a raw IDispatch::Invoke with the
// DISPID fetched once, on the same object of the stand-in mail client, in one run; then each
// ratio beside its goal. Run it under Wine (scripts/windows/bench.sh).

// Product headers come before <windows.h>, whose macros share their names.
#include "apps/bridgebenchmark/BridgeRatioReporter.h"
#include "apps/bridgebenchmark/ContactBench.h"

#include <ole2.h>
#include <windows.h>

#include <benchmark/benchmark.h>

#include <string>

namespace telvane::bench {
namespace {

// The product's text and the same text as the raw caller holds it.
const std::string Text = "Fax: 0123 456";
const std::wstring WideText = L"Fax: 0123 456";

ContactBench& Bench() {
    static ContactBench bench;
    return bench;
}

void ReadBridge(benchmark::State& state) {
    outlook::ContactItem& contact = Bench().Bridged();
    for (auto _ : state)
        benchmark::DoNotOptimize(contact.Get(ContactBench::Field));
}

void ReadRaw(benchmark::State& state) {
    IDispatch* object = Bench().Raw();
    const DISPID id = Bench().FieldId();
    for (auto _ : state) {
        DISPPARAMS none{};
        VARIANT result;
        ::VariantInit(&result);
        EXCEPINFO info{};
        UINT argError = 0;
        HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                    &result, &info, &argError);
        if (FAILED(hr) || result.vt != VT_BSTR)
            state.SkipWithError("the raw read failed");
        benchmark::DoNotOptimize(result.bstrVal);
        ::VariantClear(&result);
    }
}

void WriteBridge(benchmark::State& state) {
    outlook::ContactItem& contact = Bench().Bridged();
    for (auto _ : state)
        contact.Put(ContactBench::Field, Text);
}

void WriteRaw(benchmark::State& state) {
    IDispatch* object = Bench().Raw();
    const DISPID id = Bench().FieldId();
    for (auto _ : state) {
        VARIANT value;
        value.vt = VT_BSTR;
        value.bstrVal = ::SysAllocStringLen(WideText.data(), static_cast<UINT>(WideText.size()));
        DISPID putId = DISPID_PROPERTYPUT;
        DISPPARAMS params{&value, &putId, 1, 1};
        EXCEPINFO info{};
        UINT argError = 0;
        HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT,
                                    &params, nullptr, &info, &argError);
        if (FAILED(hr))
            state.SkipWithError("the raw write failed");
        ::VariantClear(&value);
    }
}

void Register() {
    benchmark::RegisterBenchmark("read/bridge", ReadBridge);
    benchmark::RegisterBenchmark("read/raw", ReadRaw);
    benchmark::RegisterBenchmark("write/bridge", WriteBridge);
    benchmark::RegisterBenchmark("write/raw", WriteRaw);
}

}  // namespace
}  // namespace telvane::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    telvane::bench::Register();
    telvane::bench::BridgeRatioReporter reporter({{"read", 1.5}, {"write", 1.3}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
