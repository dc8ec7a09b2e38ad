#pragma once

#include <ole2.h>
#include <windows.h>

namespace telvane::win32 {

// Identifiers of the mail client's object model (Outlook 2000 level) that the bridge and the
// test host need. The bridge looks member names up at run time; the DISPIDs are here for the
// host, which must answer with the mail client's own numbers, and for the event sinks.

// All the mail client's interfaces share this GUID tail.
constexpr GUID OutlookGuid(unsigned long first) {
    return GUID{first, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
}

inline constexpr GUID IID_OlApplication = OutlookGuid(0x00063001);
inline constexpr GUID IID_OlNameSpace = OutlookGuid(0x00063002);
inline constexpr GUID IID_OlExplorer = OutlookGuid(0x00063003);
inline constexpr GUID IID_OlInspector = OutlookGuid(0x00063005);
inline constexpr GUID IID_OlMAPIFolder = OutlookGuid(0x00063006);
inline constexpr GUID IID_OlInspectors = OutlookGuid(0x00063008);
inline constexpr GUID IID_OlExplorers = OutlookGuid(0x0006300A);
inline constexpr GUID IID_OlContactItem = OutlookGuid(0x00063021);
inline constexpr GUID IID_OlMailItem = OutlookGuid(0x00063034);
inline constexpr GUID IID_OlDistListItem = OutlookGuid(0x00063081);
inline constexpr GUID IID_OlFolders = OutlookGuid(0x00063040);
inline constexpr GUID IID_OlItems = OutlookGuid(0x00063041);
inline constexpr GUID IID_OlPropertyPages = OutlookGuid(0x00063080);
inline constexpr GUID IID_OlPropertyPage = OutlookGuid(0x0006307E);
inline constexpr GUID IID_OlPropertyPageSite = OutlookGuid(0x0006307F);
inline constexpr GUID CLSID_OlApplication = OutlookGuid(0x0006F03A);

// The original event dispinterfaces: the only ones Outlook 2000 offers, and still offered by
// later versions as non-default connection points with the same DISPIDs.
inline constexpr GUID DIID_ApplicationEvents = OutlookGuid(0x0006304E);
inline constexpr GUID DIID_ExplorerEvents = OutlookGuid(0x0006304F);
inline constexpr GUID DIID_InspectorEvents = OutlookGuid(0x0006307D);
inline constexpr GUID DIID_ExplorersEvents = OutlookGuid(0x00063078);
inline constexpr GUID DIID_InspectorsEvents = OutlookGuid(0x00063079);
inline constexpr GUID DIID_ItemEvents = OutlookGuid(0x0006303A);

// IDTExtensibility2 of the Office add-in designer library.
inline constexpr GUID IID_IDTExtensibility2 = {
    0xB65AD801, 0xABAF, 0x11D0, {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};

namespace dispid {
// Members every object-model interface starts with.
inline constexpr DISPID Application = 0xF000;
inline constexpr DISPID Parent = 0xF001;
inline constexpr DISPID Class = 0xF00A;
inline constexpr DISPID Session = 0xF00B;
// _Application
inline constexpr DISPID GetNamespace = 0x110;
inline constexpr DISPID ActiveExplorer = 0x111;
inline constexpr DISPID ActiveInspector = 0x112;
inline constexpr DISPID Quit = 0x113;
inline constexpr DISPID Explorers = 0x119;
inline constexpr DISPID Inspectors = 0x11A;
// _NameSpace and MAPIFolder
inline constexpr DISPID Folders = 0x2103;
inline constexpr DISPID DefaultItemType = 0x3106;
inline constexpr DISPID EntryID = 0xF01E;
inline constexpr DISPID Items = 0x3100;
inline constexpr DISPID Name = 0x3001;
// Collections
inline constexpr DISPID Count = 0x50;
inline constexpr DISPID Item = 0x51;
inline constexpr DISPID Add = 0x5F;
inline constexpr DISPID Remove = 0x54;
// _Explorer and _Inspector
inline constexpr DISPID CurrentItem = 0x2102;
inline constexpr DISPID WindowClose = 0x2103;
inline constexpr DISPID WindowDisplay = 0x2104;
// Items
inline constexpr DISPID ItemClose = 0xF023;
inline constexpr DISPID Save = 0xF048;
inline constexpr DISPID Display = 0xF0A6;
inline constexpr DISPID BusinessFaxNumber = 0x3A24;
inline constexpr DISPID CompanyName = 0x3A16;
inline constexpr DISPID FileAs = 0x8005;
inline constexpr DISPID FirstName = 0x3A06;
inline constexpr DISPID FullName = 0x3001;
inline constexpr DISPID HomeFaxNumber = 0x3A25;
inline constexpr DISPID JobTitle = 0x3A17;
inline constexpr DISPID LastName = 0x3A11;
inline constexpr DISPID OtherFaxNumber = 0x3A23;
// PropertyPageSite and PropertyPage
inline constexpr DISPID OnStatusChange = 0x2100;
inline constexpr DISPID GetPageInfo = 0x2100;
inline constexpr DISPID Dirty = 0x2101;
inline constexpr DISPID Apply = 0x2102;
}  // namespace dispid

namespace eventid {
// ApplicationEvents
inline constexpr DISPID ItemSend = 0xF002;
inline constexpr DISPID NewMail = 0xF003;
inline constexpr DISPID OptionsPagesAdd = 0xF005;
inline constexpr DISPID Startup = 0xF006;
inline constexpr DISPID Quit = 0xF007;
// ExplorerEvents and InspectorEvents
inline constexpr DISPID Activate = 0xF001;
inline constexpr DISPID WindowClose = 0xF008;
// InspectorsEvents
inline constexpr DISPID NewInspector = 0xF001;
// ItemEvents
inline constexpr DISPID Read = 0xF001;
inline constexpr DISPID Write = 0xF002;
inline constexpr DISPID Open = 0xF003;
inline constexpr DISPID ItemClose = 0xF004;
}  // namespace eventid

}  // namespace telvane::win32
