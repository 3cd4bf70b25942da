// A generic about box, 240 x 284: the program's picture at the top, the description
// (e.g. its version), a web address to tap and a short fixed text. A tap on the
// address opens it in the desktop's browser and shows it as visited.
#pragma once
#include "CDialog.h"

#include <QImage>
#include <QRect>

class AppAboutDlg : public CDialog {
public:
    static constexpr UINT IDD = 29015;
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 284;
    // Where the texts go; the picture is drawn at (0, 0).
    static constexpr RECT kLinkRect = {3, 155, 235, 180};
    static constexpr RECT kDescriptionRect = {5, 87, 230, 127};
    static constexpr RECT kFixedTextRect = {5, 176, 235, 220};
    // Link colours (0x00BBGGRR).
    static constexpr COLORREF kLinkColor = 0xFF0000;
    static constexpr COLORREF kVisitedColor = 0x800080;
    // The program that opens addresses: the desktop's default handler.
    static constexpr const TCHAR* kBrowser = u"xdg-open";
    // The fixed text under the address.
    static constexpr const TCHAR* kFixedText = u"Made with VarnoFramework\nfor small screens.";

    AppAboutDlg(const QImage& bitmap, LPCTSTR link, LPCTSTR description, LPCTSTR title, CWnd* parent = nullptr);
    ~AppAboutDlg() override;

    // The wait cursor shows while the dialog is made.
    using CDialog::Create;
    BOOL Create(UINT templateId = 0, CWnd* parent = nullptr) override;
    BOOL OnInitDialog() override;

    bool IsVisited() const { return m_bVisited; }
    // The link's colour as painted now.
    COLORREF GetLinkColor() const { return m_bVisited ? kVisitedColor : kLinkColor; }

    static void RegisterTemplate();

protected:
    BOOL CreateDialogWindow() override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;

private:
    // Marks the link visited and starts the browser with it.
    void OpenLink();

    QImage m_bitmap;
    CString m_link;
    CString m_description;
    CString m_title;
    bool m_bVisited = false;
};
