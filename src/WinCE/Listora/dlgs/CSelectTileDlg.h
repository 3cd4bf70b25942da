// "Select Tile": the background tiles of the views as icons, "No Fill" first. The
// current tile is preselected ("No Fill" is not); OK or a double tap on an entry takes
// the selected one.
#pragma once
#include "CImageList.h"
#include "CListCtrl.h"
#include "dlgs/CListPickerDlg.h"

class CSelectTileDlg : public CListPickerDlg {
public:
    static constexpr UINT IDD = 194;
    static constexpr int IDC_TILES = 1000;
    // Tiles are icon resources 161..170; 161 is "No Fill" (plain white).
    static constexpr DWORD kNoFill = 161;
    static constexpr int kTileCount = 10;
    static constexpr int kIconSize = 32;

    explicit CSelectTileDlg(CWnd* parent = nullptr);
    ~CSelectTileDlg() override;

    void SetTileNumber(DWORD tile) { m_nTileNumber = tile; }
    DWORD GetTileNumber() const { return m_nTileNumber; }
    CListCtrl& GetList() { return m_list; }

    BOOL OnInitDialog() override;
    // Takes the selected entry's tile; with none selected the tile stays as it was.
    void OnOK() override;
    BOOL DestroyWindow() override;

private:
    void OnDoubleTap();
    bool AddTileImage(const QIcon& icon);

    DWORD m_nTileNumber = kNoFill;
    CListCtrl m_list;
    CImageList m_images;
};
