// Korvane's own controls on real windows: header pictures and sort direction, controls held by
// the status bar and the static text, and the tray icon's rules.
#include "KvListView.h"
#include "KvStaticText.h"
#include "KvStatusBar.h"
#include "TrayIcon.h"

#include <gtest/gtest.h>

using namespace forms;

namespace {

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application::Instance().Initialize();
        Application::Instance().SetTitle("Korvane");
    }
};

struct ListFixture {
    Form form{"TKvListTest", "List", 500, 300};
    TKvListView list{&form};
    ImageList images{16, 16};
    std::vector<int> clicks;
    ListFixture() {
        list.SetAlign(Align::Client);
        list.AddColumn("Description", 100);
        list.AddColumn("URL", 100, LVCFMT_RIGHT);
        list.AddColumn("Date", 70);
        for (int i = 0; i < 5; ++i) images.AddDrawn([](HDC, int, int) {});
        list.OnColumnClick = [this](int c) { clicks.push_back(c); };
    }
    void ClickHeader(int column) {
        NMLISTVIEW nm{};
        nm.hdr = {list.Handle(), 0, static_cast<UINT>(LVN_COLUMNCLICK)};
        nm.iItem = -1;
        nm.iSubItem = column;
        SendMessageA(form.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    }
    HDITEMA HeaderItem(int column) {
        HDITEMA it{};
        it.mask = HDI_FORMAT | HDI_IMAGE;
        SendMessageA(list.Header(), HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&it));
        return it;
    }
};

TEST_F(ControlsTest, HeaderClicksAlternateTheDirectionWithTheirPictures) {
    ListFixture f;
    f.list.SetSmallImages(&f.images);
    f.list.ColumnImageIndexUp = 4;
    f.list.ColumnImageIndexDown = 3;
    struct Step { int column; TSortDirection dir; int picture; };
    const Step steps[] = {{0, sdDescending, 4}, {0, sdAscending, 3}, {0, sdDescending, 4}, {1, sdAscending, 3},
                          {2, sdDescending, 4}};
    for (const Step& s : steps) {
        f.ClickHeader(s.column);
        EXPECT_EQ(f.list.SortDirection, s.dir);
        HDITEMA it = f.HeaderItem(s.column);
        EXPECT_TRUE(it.fmt & HDF_IMAGE);
        EXPECT_TRUE(it.fmt & HDF_BITMAP_ON_RIGHT);
        EXPECT_EQ(it.iImage, s.picture);
    }
    EXPECT_EQ(f.clicks, (std::vector<int>{0, 0, 0, 1, 2}));
    // The right-aligned column showed its caption left while it carried the picture, and is
    // right-aligned again now that the picture moved on.
    HDITEMA url = f.HeaderItem(1);
    EXPECT_FALSE(url.fmt & HDF_IMAGE);
    EXPECT_EQ(url.fmt & HDF_JUSTIFYMASK, HDF_RIGHT);
}

TEST_F(ControlsTest, HeaderClicksAreIgnoredWithoutPictures) {
    ListFixture f;
    f.list.ColumnImageIndexUp = 4;
    f.list.ColumnImageIndexDown = 3;
    f.ClickHeader(0);  // no small image list
    f.list.SetSmallImages(&f.images);
    f.list.ColumnImageIndexUp = -1;
    f.ClickHeader(1);  // a negative picture number
    EXPECT_TRUE(f.clicks.empty());
    EXPECT_EQ(f.list.SortDirection, sdAscending);
    EXPECT_TRUE(f.list.NextDescending());
}

TEST_F(ControlsTest, PaintingPutsTheAscendingPictureOnTheFirstColumn) {
    ListFixture f;
    f.list.SetSmallImages(&f.images);
    f.list.ColumnImageIndexUp = 4;
    f.list.ColumnImageIndexDown = 3;
    f.form.Show();
    SendMessageA(f.list.Handle(), WM_PAINT, 0, 0);
    HDITEMA it = f.HeaderItem(0);
    EXPECT_TRUE(it.fmt & HDF_IMAGE);
    EXPECT_EQ(it.iImage, 3);
    f.form.Hide();
}

TEST_F(ControlsTest, HeldControlsReceiveTheirNotifications) {
    Form form("TKvHoldTest", "Hold", 400, 200);
    TKvStaticText caption(&form, "Folders", StaticText::Alignment::Center);
    caption.SetBounds(0, 0, 200, 22);
    ToolBar bar(&caption);
    int clicked = 0;
    ToolButton* button = bar.AddButton("Hide/Show", 0, ButtonStyle::Button, [&] { ++clicked; });
    SendMessageA(caption.Handle(), WM_COMMAND, MAKEWPARAM(button->Id(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(bar.Handle()));
    EXPECT_EQ(clicked, 1);

    TKvStatusBar status(&form);
    status.SetPanels({201, 50});
    ProgressBar progress(&status);
    status.PlaceOver(progress, 0);
    EXPECT_EQ(GetParent(progress.Handle()), status.Handle());
    EXPECT_GT(progress.Width(), 150);
    EXPECT_LE(progress.Width(), 201);
}

struct TrayFixture {
    std::vector<DWORD> calls;
    TTrayIcon tray;
    TrayFixture() {
        tray.NotifyIcon = [this](DWORD m, NOTIFYICONDATAA* d) {
            calls.push_back(m);
            EXPECT_EQ(d->cbSize, 88u);
            EXPECT_EQ(d->uCallbackMessage, static_cast<UINT>(WM_USER + 1));
            return TRUE;
        };
    }
};

TEST_F(ControlsTest, TrayIconIsShownWhileActiveAndSeparateOrMinimised) {
    for (bool separate : {true, false}) {
        TrayFixture f;
        f.tray.SetSeparateIcon(separate);
        f.tray.SetActive(true);
        EXPECT_EQ(f.tray.IconShown(), separate);
        Application::Instance().Minimize();
        EXPECT_TRUE(f.tray.IconShown());
        EXPECT_FALSE(IsWindowVisible(Application::Instance().Handle()));  // no taskbar button
        Application::Instance().Restore();
        EXPECT_EQ(f.tray.IconShown(), separate) << "separate " << separate;
        f.tray.SetActive(false);
        EXPECT_FALSE(f.tray.IconShown());
    }
}

TEST_F(ControlsTest, TrayIconHintIsCutAndClicksReachTheirEvents) {
    TrayFixture f;
    EXPECT_STREQ(f.tray.Data().szTip, "Korvane");  // the title until a hint is set
    f.tray.SetSeparateIcon(true);
    f.tray.SetActive(true);
    f.tray.SetHint(std::string(70, 'h'));
    EXPECT_EQ(std::string(f.tray.Data().szTip), std::string(63, 'h'));
    EXPECT_TRUE(f.tray.Data().uFlags & NIF_TIP);
    f.tray.SetHint("");
    EXPECT_FALSE(f.tray.Data().uFlags & NIF_TIP);
    EXPECT_EQ(f.calls, (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_MODIFY}));

    std::vector<std::string> events;
    f.tray.OnClick = [&] { events.push_back("click"); };
    f.tray.OnDblClick = [&] { events.push_back("double"); };
    f.tray.OnRightClick = [&](MouseButton, unsigned, int, int) { events.push_back("right"); };
    for (LPARAM m : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP, WM_MOUSEMOVE})
        SendMessageA(f.tray.WindowHandle(), WM_USER + 1, 0, m);
    EXPECT_EQ(events, (std::vector<std::string>{"click", "double", "right"}));
}

TEST_F(ControlsTest, FailedTrayIconRaisesTheError) {
    TTrayIcon tray;
    tray.NotifyIcon = [](DWORD, NOTIFYICONDATAA*) { return FALSE; };
    tray.SetSeparateIcon(true);
    try {
        tray.SetActive(true);
        FAIL() << "no error raised";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Cannot create shell notification icon");
    }
    EXPECT_FALSE(tray.IconShown());
}

}  // namespace
