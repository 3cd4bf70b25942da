// The colour picker: a palette of 6 x 8 swatches to tap, three edits for the red,
// green and blue components (0..255 each) and a preview of the colour. OK composes
// the colour from the components.
#pragma once
#include "CDialog.h"
#include "CRect.h"

#include <array>

class CColorsDlg : public CDialog {
public:
    static constexpr UINT IDD = 3007;
    static constexpr int IDC_RED = 53014;
    static constexpr int IDC_GREEN = 53015;
    static constexpr int IDC_BLUE = 53016;

    static constexpr int kRows = 6;
    static constexpr int kColumns = 8;
    // Swatch (r, c) is a kSwatch square at (kLeft + kStep c, kTop + kStep r).
    static constexpr int kLeft = 30;
    static constexpr int kTop = 25;
    static constexpr int kStep = 23;
    static constexpr int kSwatch = 21;
    // The preview of the current colour.
    static constexpr RECT kPreview = {152, 170, 210, 230};
    // The palette as 0x00BBGGRR values, row by row.
    static const std::array<std::array<COLORREF, kColumns>, kRows> kPalette;

    explicit CColorsDlg(CWnd* parent = nullptr);
    ~CColorsDlg() override;

    // Selects the colour's swatch when the palette has it (none otherwise) and
    // takes its components.
    void SetColor(COLORREF color);
    // The colour the dialog ended with (or last showed).
    COLORREF GetColor() const { return m_color; }

    // The wait cursor shows while the dialog is made.
    using CDialog::Create;
    BOOL Create(UINT templateId = 0, CWnd* parent = nullptr) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    bool HasSelection() const { return m_bSelected; }
    int GetSelectedRow() const { return m_nRow; }
    int GetSelectedColumn() const { return m_nColumn; }
    BYTE GetRed() const { return m_red; }
    BYTE GetGreen() const { return m_green; }
    BYTE GetBlue() const { return m_blue; }
    // The colour the preview shows: the selected swatch's, else the components'.
    COLORREF GetCurrentColor() const;

    // Registers the dialog's control table (done by the constructor).
    static void RegisterTemplate();

protected:
    BOOL CreateDialogWindow() override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;

private:
    // A component edit changed by the user: the text is brought into 0..255.
    void OnComponentEdited(int id);
    void WriteComponents();
    void Repaint();

    BYTE m_red = 0;
    BYTE m_green = 0;
    BYTE m_blue = 0;
    bool m_bSelected = true;
    int m_nRow = 0;
    int m_nColumn = 0;
    bool m_bPainted = false;
    COLORREF m_color = 0;
};
