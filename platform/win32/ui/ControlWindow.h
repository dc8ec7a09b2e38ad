#pragma once

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/Property.h"

namespace telvane::forms {
class Control;
class Node;
}  // namespace telvane::forms

namespace telvane::win32 {

class FormWindow;

// The native child of one control: a standard or common control, or for frames, picture
// boxes and images a pane of the host's own class. Lines have no window: their container
// paints them. Follows the model's notices and turns native input into User... actions.
class ControlWindow {
public:
    ControlWindow(FormWindow& form, forms::Control& control, int id);
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;
    ~ControlWindow();

    forms::Control& Control() const { return m_control; }
    // Null for a line.
    HWND Window() const { return m_window; }
    int Id() const { return m_id; }

    void Changed(forms::Property what);
    // Notices from the native control, sent to its parent window.
    void Command(WORD code);
    bool Notify(const NMHDR& header, LRESULT& result);
    void DrawItem(const DRAWITEMSTRUCT& draw) const;
    HBRUSH ControlColor(HDC dc) const;
    // Paints what a pane shows (picture, frame caption and edge).
    void PaintPane(HDC dc) const;
    // The background a pane or a label is painted with.
    HBRUSH Background() const;

private:
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // True when the message was handled here and must not reach the control's own procedure.
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Create();
    void ApplyAll();
    void ApplyCaption();
    void ApplyAppearance();
    // A label that sizes itself takes the width its caption has in the real font.
    void FitLabel();
    void SyncProgress(bool range);
    // How much of the bar the model's position fills, in pixels.
    int ProgressPixels() const;
    // Gives the native bar the model's position now.
    void ShowProgress();
    void SyncTree();
    void InsertNode(const std::shared_ptr<forms::Node>& node);
    void SyncTreeSelection();
    void SyncList();
    void SetListRedraw(bool redraw);
    std::shared_ptr<forms::Node> NodeOf(HTREEITEM item) const;
    bool ListMouseDown(LPARAM position);
    bool TreeMouseDown(LPARAM position);

    FormWindow& m_form;
    forms::Control& m_control;
    int m_id;
    HWND m_window = nullptr;
    WNDPROC m_original = nullptr;
    bool m_syncing = false;
    int m_progressPixels = -1;
    DWORD m_progressShown = 0;       // when the native bar was last moved (GetTickCount)
    bool m_progressPending = false;  // a position is held back until the timer
    bool m_invalidated = false;      // the list waits for a paint already
    // Tree view: the native items, in the order of the model's nodes.
    std::vector<std::weak_ptr<forms::Node>> m_nodes;
    std::map<const forms::Node*, HTREEITEM> m_items;
    std::map<const forms::Node*, std::string> m_texts;  // as the native items show them
};

}  // namespace telvane::win32
