#include "apps/outlookhost/ServerItem.h"

#include <utility>

#include "common/outlook/RaisedError.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::outlookhost {

using namespace win32;
using outlook::ContactField;

namespace {

constexpr DISPID Subject = 0x37;

constexpr DispatchMember kMembers[] = {
    {L"Class", dispid::Class},
    {L"Subject", Subject},
    {L"HomeFaxNumber", dispid::HomeFaxNumber},
    {L"OtherFaxNumber", dispid::OtherFaxNumber},
    {L"BusinessFaxNumber", dispid::BusinessFaxNumber},
    {L"FirstName", dispid::FirstName},
    {L"LastName", dispid::LastName},
    {L"FileAs", dispid::FileAs},
    {L"CompanyName", dispid::CompanyName},
    {L"JobTitle", dispid::JobTitle},
    {L"Save", dispid::Save},
    {L"Close", dispid::ItemClose},
};

bool FieldOf(DISPID id, ContactField& field) {
    switch (id) {
        case dispid::HomeFaxNumber:
            field = ContactField::HomeFaxNumber;
            return true;
        case dispid::OtherFaxNumber:
            field = ContactField::OtherFaxNumber;
            return true;
        case dispid::BusinessFaxNumber:
            field = ContactField::BusinessFaxNumber;
            return true;
        case dispid::FirstName:
            field = ContactField::FirstName;
            return true;
        case dispid::LastName:
            field = ContactField::LastName;
            return true;
        case dispid::FileAs:
            field = ContactField::FileAs;
            return true;
        case dispid::CompanyName:
            field = ContactField::CompanyName;
            return true;
        case dispid::JobTitle:
            field = ContactField::JobTitle;
            return true;
        default:
            return false;
    }
}

}  // namespace

ServerItem::ServerItem(std::shared_ptr<HostContext> context, std::shared_ptr<outlook::Item> item)
    : ServerObject(std::move(context)), m_item(std::move(item)), m_events(*this, DIID_ItemEvents) {
    m_events.OnSinksChanged([this](std::size_t sinks) { Listen(sinks); });
}

outlook::ContactItem& ServerItem::Contact() {
    auto* contact = dynamic_cast<outlook::ContactItem*>(m_item.get());
    if (!contact) {
        throw RaisedError(438, "Microsoft Outlook",
                          "Object doesn't support this property or method");
    }
    return *contact;
}

void ServerItem::Listen(std::size_t sinks) {
    if (sinks == 0) {
        m_subscription.Reset();
        return;
    }
    if (m_subscription)
        return;
    outlook::ContactItem::Events events;
    events.Write = [this](bool& cancel) {
        ComPtr<ServerItem> self(this);
        VARIANT_BOOL shared = cancel ? VARIANT_TRUE : VARIANT_FALSE;
        ComVariant cancelArg;
        cancelArg.Get()->vt = VT_BYREF | VT_BOOL;
        cancelArg.Get()->pboolVal = &shared;
        std::vector<ComVariant> args;
        args.push_back(std::move(cancelArg));
        EXCEPINFO info{};
        HRESULT hr = m_events.Fire(eventid::Write, args, &info);
        // What a sink set stands even when a later step of it failed.
        cancel = shared != VARIANT_FALSE;
        Check(hr, info, "ContactItem.Write");
    };
    m_subscription = Contact().Advise(events);
}

void* ServerItem::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        return static_cast<IDispatch*>(this);
    }
    if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        return static_cast<IConnectionPointContainer*>(this);
    }
    if (IsEqualIID(iid, IID_OlContactItem)) {
        // A typed assignment in the client: the mail client's own "take as contact".
        if (!m_asContact) {
            try {
                m_asContact = m_item->AsContactItem();
            } catch (...) {
                return nullptr;
            }
        }
        return static_cast<IDispatch*>(this);
    }
    return nullptr;
}

std::span<const DispatchMember> ServerItem::Members() const {
    return kMembers;
}

ComVariant ServerItem::Call(DISPID id, DispatchArguments& args) {
    ContactField field;
    if (FieldOf(id, field)) {
        if (args.IsPut()) {
            Contact().Put(field, args.PutValue().ToText());
            return {};
        }
        if (!args.IsGet())
            NoSuchMember();
        return ComVariant(Contact().Get(field));
    }
    switch (id) {
        case dispid::Class:
        case Subject: {
            if (!args.IsGet())
                NoSuchMember();
            return ComVariant(m_item->GetProperty(id == Subject ? "Subject" : "Class"));
        }
        case dispid::Save:
            if (!args.IsMethod())
                NoSuchMember();
            Contact().Save();
            return {};
        case dispid::ItemClose:
            if (!args.IsMethod())
                NoSuchMember();
            Contact().Close(static_cast<outlook::OlInspectorClose>(args.Int32(0)));
            return {};
        default:
            NoSuchMember();
    }
}

STDMETHODIMP ServerItem::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ServerItem::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    return ConnectionPoint::Find({&m_events}, iid, point);
}

}  // namespace telvane::outlookhost
