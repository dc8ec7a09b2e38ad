#pragma once

#include "platform/win32/ui/ControlPeer.h"

namespace telvane::forms {
class ListBox;
}  // namespace telvane::forms

namespace telvane::win32 {

// A list box: a no-data owner-drawn list. The model holds the texts and the ticks, the native
// list only how many rows there are, so an entry costs one insertion at the model's index and
// no storage is moved. Rows, tick boxes and the highlight are drawn from the model.
class ListPeer final : public ControlPeer {
public:
    ListPeer(FormWindow& form, forms::ListBox& list, int id);

    void Command(WORD code) override;
    void DrawItem(const DRAWITEMSTRUCT& draw) const override;

private:
    void Apply(forms::Property what) override;
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Sync();
    void SetRedraw(bool redraw);
    bool MouseDown(LPARAM position);

    forms::ListBox& m_list;
    bool m_invalidated = false;  // the list waits for a paint already
};

}  // namespace telvane::win32
