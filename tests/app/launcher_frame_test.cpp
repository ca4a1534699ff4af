#include <fstream>

#include <unistd.h>

#include <gtest/gtest.h>

#include "app/launcher_settings.h"
#include "framework/keys.h"
#include "framework/kit_services.h"
#include "framework/screen.h"
#include "resources/resources.h"
#include "tests/app/launcher_fixture.h"

using namespace curvelo;
using curvelo::testing::LauncherFixture;
using Kind = NewWindowRequest::Kind;

TEST(LauncherFrame, MenuHoldsEveryCommandAndF2OpensA2DWindow) {
    LauncherFixture f("menu");
    TPlotFrame* frame = f.MakeAndShow();
    EXPECT_EQ(frame->GetCaption(), "Curvelo");
    EXPECT_TRUE(frame->HasIcon());
    for (int id : {402, 403, 404, 405, 407, 409, 48, 49, 24310, 354, 355})
        EXPECT_TRUE(frame->HasMenuItem(id)) << id;
    fw::automation::PostKey(*frame, fw::vk::F(2));
    fw::automation::ProcessEvents();
    ASSERT_EQ(f.requests.size(), 1u);
    EXPECT_EQ(f.requests[0].kind, Kind::Plot2);
    EXPECT_EQ(f.requests[0].caption, "névtelen1.cv2");
}

TEST(LauncherFrame, UntitledCaptionsKeepCountingAndCarryTheFlags) {
    LauncherFixture f("captions");
    TPlotFrame* frame = f.MakeAndShow();
    frame->RunCommand(kCmdNew2D);
    frame->RunCommand(kCmdUseDefaults);
    frame->RunCommand(kCmdNew2D);
    frame->RunCommand(kCmdNew3D);
    frame->RunCommand(kCmdOpenLastEdit);
    frame->RunCommand(kCmdNew2D);
    frame->RunCommand(kCmdManyBody);
    frame->RunCommand(kCmdGuessing);
    ASSERT_EQ(f.requests.size(), 6u);
    EXPECT_EQ(f.requests[2].caption, "névtelen1.cv3");
    EXPECT_EQ(f.requests[3].caption, "névtelen3.cv2");
    EXPECT_EQ(f.requests[4].caption, "névtelen1.cv2");
    EXPECT_EQ(f.requests[4].kind, Kind::ManyBody);
    // Settings are read unless defaults were asked for.
    EXPECT_TRUE(f.requests[0].readWindowSettings);
    EXPECT_FALSE(f.requests[1].readWindowSettings);
    EXPECT_TRUE(f.requests[3].readWindowSettings);
    EXPECT_TRUE(f.requests[3].openLastEdit);
    EXPECT_TRUE(f.requests[3].documentWindow);
    // The guessing game is no document and never reopens the last edit.
    const NewWindowRequest& g = f.requests[5];
    EXPECT_EQ(g.kind, Kind::Guessing);
    EXPECT_EQ(g.caption, "az egyenlet találgatása");
    EXPECT_FALSE(g.openLastEdit);
    EXPECT_FALSE(g.documentWindow);
}

TEST(LauncherFrame, Items48And49ExcludeEachOtherInTheMenu) {
    LauncherFixture f("flags");
    TPlotFrame* frame = f.MakeAndShow();
    frame->RunCommand(kCmdUseDefaults);
    EXPECT_TRUE(frame->IsMenuItemChecked(49));
    frame->RunCommand(kCmdOpenLastEdit);
    EXPECT_TRUE(frame->IsMenuItemChecked(48));
    EXPECT_FALSE(frame->IsMenuItemChecked(49));
    frame->RunCommand(kCmdOpenLastEdit);
    EXPECT_FALSE(frame->IsMenuItemChecked(48));
    EXPECT_FALSE(frame->IsMenuItemChecked(49));
    frame->UpdateCommandStates();
    EXPECT_FALSE(frame->IsMenuItemChecked(48));
}

TEST(LauncherFrame, OpenFileDispatchesOnTheExtension) {
    LauncherFixture f("dispatch");
    TPlotFrame* frame = f.MakeAndShow();
    frame->OpenFile("/tmp/a.Cv3");
    frame->OpenFile("/tmp/b.cv");
    frame->OpenFile("/tmp/noextension");
    frame->OpenFile("c.CV2");
    frame->OpenFile("d.ma2");
    frame->OpenFile("e.MAZ");
    frame->OpenFile("f.txt");
    ASSERT_EQ(f.requests.size(), 4u);
    EXPECT_EQ(f.requests[0].kind, Kind::Plot3);
    EXPECT_EQ(f.requests[0].fileName, "/tmp/a.Cv3");
    EXPECT_EQ(f.requests[0].caption, "névtelen1.cv3");
    EXPECT_EQ(f.requests[1].kind, Kind::Plot2);
    EXPECT_EQ(f.requests[2].kind, Kind::MappingPair);
    EXPECT_FALSE(f.requests[2].complexPlane);
    EXPECT_EQ(f.requests[2].caption, "Értelmezési tartomány1.ma2");
    EXPECT_EQ(f.requests[2].rangeCaption, "Transzformált:");
    EXPECT_TRUE(f.requests[3].complexPlane);
    EXPECT_EQ(f.requests[3].caption, "Értelmezési tartomány2.maz");
}

TEST(LauncherFrame, DeferredStartOpensThePendingDocumentOnce) {
    LauncherFixture f("deferred");
    TPlotFrame* frame = f.Make();
    frame->SetPendingDocument("start.cv2");
    frame->Create();
    frame->Show();
    EXPECT_TRUE(f.requests.empty());  // nothing before the first command-state update
    fw::automation::ProcessEvents();
    frame->UpdateCommandStates();
    frame->UpdateCommandStates();
    ASSERT_EQ(f.requests.size(), 1u);
    EXPECT_EQ(f.requests[0].fileName, "start.cv2");
    EXPECT_TRUE(frame->PendingDocument().empty());
}

TEST(LauncherFrame, DroppedFilesOpenInTheOrderGiven) {
    LauncherFixture f("drop");
    TPlotFrame* frame = f.MakeAndShow();
    fw::automation::DropFiles(*frame, {"/a/egy.cv3", "/a/notes.txt", "/a/ketto.CV2"});
    fw::automation::ProcessEvents();
    ASSERT_EQ(f.requests.size(), 2u);
    EXPECT_EQ(f.requests[0].fileName, "/a/egy.cv3");
    EXPECT_EQ(f.requests[1].fileName, "/a/ketto.CV2");
    EXPECT_EQ(f.requests[1].caption, "névtelen1.cv2");
}

TEST(LauncherFrame, HandedOverNamesOpenWhenLongerThanOneCharacter) {
    LauncherFixture f("dropped");
    TPlotFrame* frame = f.MakeAndShow();
    frame->ReceiveInstanceName("x");  // too short to be a name
    frame->ReceiveInstanceName("second.cv3");
    ASSERT_EQ(f.requests.size(), 1u);
    EXPECT_EQ(f.requests[0].kind, Kind::Plot3);
    EXPECT_EQ(f.requests[0].fileName, "second.cv3");
}

TEST(LauncherFrame, ImpossiblePlacementIsReplacedAndClosingWrites19Bytes) {
    LauncherFixture f("placement");
    LauncherSettings bad;
    bad.placement = {10, 10, 100, 300, false};
    bad.openLastEdit = true;
    {
        std::vector<std::uint8_t> bytes = EncodeLauncherSettings(bad);
        std::ofstream out(f.SettingsFile(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    TPlotFrame* frame = f.MakeAndShow();
    const FramePlacement& p = frame->Placement();
    EXPECT_EQ(p.width, 120);
    EXPECT_EQ(p.height, 72);
    EXPECT_LT(p.left, 30);
    EXPECT_LT(p.top, 30);
    EXPECT_TRUE(frame->IsMenuItemChecked(48));  // the flags of the file still count
    frame->RunCommand(kCmdUseDefaults);
    frame->CloseWindow();
    fw::automation::ProcessEvents();
    ASSERT_TRUE(std::filesystem::exists(f.SettingsFile()));
    EXPECT_EQ(std::filesystem::file_size(f.SettingsFile()), 19u);
    std::ifstream in(f.SettingsFile(), std::ios::binary);
    std::vector<std::uint8_t> bytes(19);
    in.read(reinterpret_cast<char*>(bytes.data()), 19);
    auto back = DecodeLauncherSettings(bytes);
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->openLastEdit);
    EXPECT_TRUE(back->useDefaultSettings);
    EXPECT_GT(back->placement.width, 0);
}

TEST(LauncherFrame, GoodPlacementIsRestoredAndAMissingFileKeepsTheConstructedOne) {
    const fw::ScreenMetrics screen = fw::PrimaryScreen();
    LauncherFixture f("restore");
    LauncherSettings good;
    good.placement = {40, 50, 240, 130, false};
    ASSERT_TRUE(WriteLauncherSettings(f.SettingsFile().parent_path().string(), good));
    TPlotFrame* frame = f.MakeAndShow();
    frame->UpdateCommandStates();
    // The frame takes the stored outer size once the platform has framed the window.
    for (int i = 0; i < 100 && frame->GetWindowRect() != fw::Rect{40, 50, 280, 180}; ++i) {
        fw::automation::ProcessEvents();
        usleep(5000);
    }
    if (screen.width >= 280 && screen.height >= 180) {
        // The outer rectangle is what was stored, so saving it again changes nothing.
        EXPECT_EQ(frame->Placement(), good.placement);
        EXPECT_EQ(frame->GetWindowRect(), (fw::Rect{40, 50, 280, 180}));
    }

    LauncherFixture g("constructed");
    TPlotFrame* other = g.MakeAndShow();
    EXPECT_EQ(other->Placement().width, 200);
    EXPECT_EQ(other->Placement().height, 120);
    EXPECT_GE(other->Placement().left, 100);
}

TEST(LauncherFrame, HelpShowsTheTextBeforeTheMarkAndAboutNamesTheProgram) {
    LauncherFixture f("help");
    TPlotFrame* frame = f.MakeAndShow();
    frame->RunCommand(kCmdHelp);
    ASSERT_EQ(f.help.size(), 1u);
    EXPECT_EQ(f.help[0].find("???"), std::string::npos);
    std::string caption, text;
    fw::automation::SetMessageBoxHook([&](const std::string& t, const std::string& c, unsigned) {
        text = t;
        caption = c;
        return fw::kIdOk;
    });
    frame->RunCommand(kCmdAbout);
    fw::automation::SetMessageBoxHook({});
    EXPECT_EQ(caption, "A programról");
    EXPECT_NE(text.find("Curvelo"), std::string::npos);
    EXPECT_NE(text.find("Várjuk javaslataikat, 5leteiket!"), std::string::npos);
}

TEST(PollKey, AnAcceleratorDuringAComputationRunsItsCommandAndStops) {
    LauncherFixture f("pollkey");
    TPlotFrame* frame = f.MakeAndShow();
    fw::automation::PostKey(*frame, 'S');
    fw::automation::PostKey(*frame, fw::vk::F(3));
    // A computation polling between its steps.
    std::vector<int> keys;
    for (int step = 0; step < 200 && keys.size() < 2; ++step)
        if (int k = PollKey(frame)) keys.push_back(k);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0], 'S');
    EXPECT_EQ(keys[1], kKeyQuit);
    // The accelerator's command runs once the computation has returned to the event loop.
    EXPECT_TRUE(f.requests.empty());
    fw::automation::ProcessEvents();
    ASSERT_EQ(f.requests.size(), 1u);
    EXPECT_EQ(f.requests[0].kind, Kind::Plot3);
    EXPECT_EQ(PollKey(frame), 0);
}

TEST(TitleServices, StatusAndDocumentTitlesReachTheTitleBar) {
    LauncherFixture f("titles");
    TPlotFrame* frame = f.MakeAndShow();
    ShowStatus(frame, 12, 3, 7);
    EXPECT_EQ(frame->GetCaption(), "eltolás # 3/7");
    ShowStatus(frame, 11, 0, 0);  // no such kind: unchanged
    EXPECT_EQ(frame->GetCaption(), "eltolás # 3/7");
    UpdateTitle(frame, false, "", "/home/u/rajz.cv2", true);
    EXPECT_EQ(frame->GetCaption(), "rajz.cv2+");
    std::string caption, text;
    fw::automation::SetMessageBoxHook([&](const std::string& t, const std::string& c, unsigned) {
        text = t;
        caption = c;
        return fw::kIdOk;
    });
    ShowMessage(frame, 11);
    EXPECT_EQ(caption, "hmm...");
    EXPECT_EQ(text, "nem tudom megnyitni az állományt");
    ShowMessage(frame, 29, "Védelem");
    EXPECT_EQ(caption, "Védelem");
    EXPECT_EQ(text, "védett");
    fw::automation::SetMessageBoxHook({});
}
