#include "apps/outlookhost/ServerApplication.h"

#include <utility>

#include "apps/outlookhost/ServerExplorer.h"
#include "apps/outlookhost/ServerExplorers.h"
#include "apps/outlookhost/ServerInspectors.h"
#include "apps/outlookhost/ServerNameSpace.h"
#include "apps/outlookhost/ServerPropertyPages.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::outlookhost {

using namespace win32;

namespace {

constexpr DispatchMember kMembers[] = {
    {L"Application", dispid::Application},
    {L"Class", dispid::Class},
    {L"Session", dispid::Session},
    {L"GetNamespace", dispid::GetNamespace},
    {L"ActiveExplorer", dispid::ActiveExplorer},
    {L"Explorers", dispid::Explorers},
    {L"Inspectors", dispid::Inspectors},
};

constexpr std::int32_t olApplication = 0;

}  // namespace

ServerApplication::ServerApplication(std::shared_ptr<HostContext> context,
                                     std::shared_ptr<outlook::Application> application)
    : ServerObject(std::move(context)),
      m_application(std::move(application)),
      m_events(*this, DIID_ApplicationEvents) {
    m_events.OnSinksChanged([this](std::size_t sinks) { Listen(sinks); });
}

void ServerApplication::Listen(std::size_t sinks) {
    if (sinks == 0) {
        m_subscription.Reset();
        return;
    }
    if (m_subscription)
        return;
    outlook::Application::Events events;
    events.OptionsPagesAdd = [this](const std::shared_ptr<outlook::PropertyPages>& pages) {
        ComPtr<ServerApplication> self(this);  // a sink may release the last reference
        auto server = com::MakeComObject<ServerPropertyPages>(Context(), pages);
        Raise(m_events, eventid::OptionsPagesAdd, "Application.OptionsPagesAdd",
              {ObjectValue(server)});
    };
    events.Quit = [this] {
        ComPtr<ServerApplication> self(this);
        Raise(m_events, eventid::Quit, "Application.Quit", {});
    };
    m_subscription = m_application->Advise(events);
}

void* ServerApplication::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_OlApplication)) {
        return static_cast<IDispatch*>(this);
    }
    if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        return static_cast<IConnectionPointContainer*>(this);
    }
    return nullptr;
}

std::span<const DispatchMember> ServerApplication::Members() const {
    return kMembers;
}

ComVariant ServerApplication::Call(DISPID id, DispatchArguments& args) {
    if (!args.IsGetOrMethod())
        NoSuchMember();
    switch (id) {
        case dispid::Application:
            return ComVariant(static_cast<IDispatch*>(this));
        case dispid::Class:
            return ComVariant(olApplication);
        case dispid::Session:
            return ObjectValue(com::MakeComObject<ServerNameSpace>(
                Context(), m_application->GetNamespace("MAPI")));
        case dispid::GetNamespace:
            return ObjectValue(com::MakeComObject<ServerNameSpace>(
                Context(), m_application->GetNamespace(args.Text(0))));
        case dispid::ActiveExplorer: {
            auto explorer = m_application->ActiveExplorer();
            if (!explorer)
                return ComVariant(static_cast<IDispatch*>(nullptr));
            return ObjectValue(com::MakeComObject<ServerExplorer>(Context(), std::move(explorer)));
        }
        case dispid::Explorers:
            return ObjectValue(
                com::MakeComObject<ServerExplorers>(Context(), m_application->Explorers()));
        case dispid::Inspectors:
            return ObjectValue(
                com::MakeComObject<ServerInspectors>(Context(), m_application->Inspectors()));
        default:
            NoSuchMember();
    }
}

STDMETHODIMP ServerApplication::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ServerApplication::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    return ConnectionPoint::Find({&m_events}, iid, point);
}

}  // namespace telvane::outlookhost
