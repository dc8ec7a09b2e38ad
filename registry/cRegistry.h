#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/outlook/Variant.h"
#include "registry/RegistryApi.h"

namespace telvane {

class RegistryKeyHandle;

// Select, then read or write: the caller sets the root (ClassKey), the key path (SectionKey) and
// the value name (ValueKey), then gets or assigns Value. Values travel as Variants and are
// converted to and from the registry's types. No key stays open between calls.
//
// Errors are raised as RaisedError with the source "<library>.cRegistry". A failed read is not an
// error: it returns Default.
class cRegistry {
public:
    // Registry value types, as ValueType holds them. Named so as not to meet the platform
    // header's macros of the same numbers.
    static constexpr std::int32_t RegNone = 0;
    static constexpr std::int32_t RegSz = 1;
    static constexpr std::int32_t RegExpandSz = 2;
    static constexpr std::int32_t RegBinary = 3;
    static constexpr std::int32_t RegDword = 4;
    static constexpr std::int32_t RegDwordBigEndian = 5;
    static constexpr std::int32_t RegLink = 6;
    static constexpr std::int32_t RegMultiSz = 7;

    // Root keys, as ClassKey holds them.
    static constexpr std::int32_t ClassesRoot = static_cast<std::int32_t>(0x80000000u);
    static constexpr std::int32_t CurrentUser = static_cast<std::int32_t>(0x80000001u);
    static constexpr std::int32_t LocalMachine = static_cast<std::int32_t>(0x80000002u);
    static constexpr std::int32_t Users = static_cast<std::int32_t>(0x80000003u);

    // The numbers of the errors it raises.
    static constexpr std::int32_t ErrKeyAccess = 26001;
    static constexpr std::int32_t ErrSetValue = -2147194455;              // 0x800469A9
    static constexpr std::int32_t ErrEnumerateSections = -2147194454;     // 0x800469AA
    static constexpr std::int32_t ErrAssociationArguments = -2147194452;  // 0x800469AC
    static constexpr std::int32_t ErrClassNotDefined = -2147194451;       // 0x800469AD

    // libraryName: the running library's file name without extension, e.g. "Telvane".
    cRegistry(RegistryApi& api, std::string libraryName);

    // A remote computer to read and write Value on; "" for this one. A name of three or more
    // characters is kept with two backslashes in front; a shorter one clears it.
    const std::string& Machine() const { return m_machine; }
    void Machine(const std::string& name);

    bool KeyExists();
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();

    Variant Value();
    void Value(const Variant& value);
    // How the last read of Value ended: Success when a value was read, FileNotFound for a
    // missing key or value, else the code the registry refused it with. Default was returned
    // in every case but Success.
    long LastReadResult() const { return m_lastReadResult; }
    // How the last write of Value ended: Success, or the code the registry refused it with.
    long LastWriteResult() const { return m_lastWriteResult; }

    bool EnumerateValues(std::vector<std::string>& names, std::int32_t& count);
    bool EnumerateSections(std::vector<std::string>& names, std::int32_t& count);

    // Registers a file type: ".extension" names className, whose shell verbs run programPath.
    // Every value goes to HKEY_CLASSES_ROOT and to HKEY_LOCAL_MACHINE\SOFTWARE\Classes. An empty
    // verb text takes the usual label; a negative icon index writes no DefaultIcon.
    void CreateEXEAssociation(const std::string& programPath, const std::string& className,
                              const std::string& classDescription, const std::string& extension,
                              const std::string& openVerbText = "", bool supportsPrint = false,
                              const std::string& printVerbText = "", bool supportsNew = false,
                              const std::string& newVerbText = "", bool supportsInstall = false,
                              const std::string& installVerbText = "",
                              std::int32_t defaultIconIndex = -1);
    // items: groups of three, verb name, verb text, command. Raises ErrAssociationArguments when
    // their number is not a multiple of three and ErrClassNotDefined when className is missing
    // under ClassKey, writing nothing; a failing write inside is passed over.
    void CreateAdditionalEXEAssociations(const std::string& className,
                                         const std::vector<Variant>& items);

    std::int32_t ValueType() const { return m_valueType; }
    void ValueType(std::int32_t type) { m_valueType = type; }
    std::int32_t ClassKey() const { return m_classKey; }
    void ClassKey(std::int32_t classKey) { m_classKey = classKey; }
    const std::string& SectionKey() const { return m_sectionKey; }
    void SectionKey(const std::string& sectionKey) { m_sectionKey = sectionKey; }

    // Sets ClassKey, SectionKey, ValueKey, ValueType and Default, then reads or writes Value.
    Variant ValueEx(std::int32_t classKey, const std::string& sectionKey,
                    const std::string& valueKey, std::int32_t valueType,
                    const Variant& defaultValue);
    void ValueEx(std::int32_t classKey, const std::string& sectionKey, const std::string& valueKey,
                 std::int32_t valueType, const Variant& defaultValue, const Variant& newValue);

    const std::string& ValueKey() const { return m_valueKey; }
    void ValueKey(const std::string& valueKey) { m_valueKey = valueKey; }
    const Variant& Default() const { return m_default; }
    void Default(const Variant& value) { m_default = value; }

private:
    void WriteClassValue(const std::string& text);
    static std::int32_t ReverseByteOrder(std::int32_t number);
    std::string ExpandEnvironmentText(const std::string& text);

    // The root Value works on: ClassKey itself, or its connected counterpart when Machine is
    // set. Answers the connection's result code.
    long ConnectRoot(RegistryKeyHandle& connection, RegistryApi::Key& root);
    Variant ReadData(RegistryApi::Key key);
    long WriteData(RegistryApi::Key key, const Variant& value);
    std::string SetValueDescription(const Variant& value) const;
    std::string ClassKeyText() const;
    [[noreturn]] void Raise(std::int32_t number, std::string description) const;

    RegistryApi& m_api;
    std::string m_source;

    std::int32_t m_classKey = 0;
    std::string m_sectionKey;
    std::string m_valueKey;
    Variant m_default;
    std::int32_t m_valueType = 0;
    std::string m_machine;
    long m_lastReadResult = RegistryApi::Success;
    long m_lastWriteResult = RegistryApi::Success;
};

}  // namespace telvane
