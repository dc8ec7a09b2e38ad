#pragma once

#include "platform/win32/com/ComPtr.h"
#include "platform/win32/ui/AccessibleProxy.h"
#include "platform/win32/ui/AccessibleSource.h"
#include "platform/win32/ui/ControlPeer.h"

namespace telvane::forms {
class ListBox;
}  // namespace telvane::forms

namespace telvane::win32 {

// A list box: a no-data owner-drawn list. The model holds the texts and the ticks, the native
// list only how many rows there are, so an entry costs one insertion at the model's index and
// no storage is moved. Rows, tick boxes and the highlight are drawn from the model, and a
// screen reader hears each entry's text and tick from the model too.
class ListPeer final : public ControlPeer, private AccessibleSource {
public:
    ListPeer(FormWindow& form, forms::ListBox& list, int id);
    ~ListPeer() override;

    void Command(WORD code) override;
    void DrawItem(const DRAWITEMSTRUCT& draw) const override;

private:
    void Apply(forms::Property what) override;
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Sync();
    void SetRedraw(bool redraw);
    bool MouseDown(LPARAM position);
    // AccessibleSource
    long AccessibleChildren() const override;
    bool AccessibleName(long child, std::wstring& name) const override;
    bool AccessibleRole(long child, long& role) const override;
    bool AccessibleState(long child, long& state) const override;
    bool AccessibleLocation(long child, RECT& place) const override;

    forms::ListBox& m_list;
    bool m_invalidated = false;  // the list waits for a paint already
    ComPtr<AccessibleProxy> m_accessible;
};

}  // namespace telvane::win32
