#include <gtest/gtest.h>

#include <unistd.h>

#include <vector>

#include "framework/automation.h"
#include "framework/frame_window.h"
#include "framework/key_queue.h"
#include "framework/keys.h"

namespace curvelo::fw {
namespace {

// Two layers of a window chain: each handles its own ids and defers to its base.
class BaseLayer : public TFrameWindow {
public:
    BaseLayer() : TFrameWindow(nullptr, "alap") {}
    std::vector<std::string> log;
    bool saveEnabled = true;

    bool EvCommand(int id) override {
        if (id == 57 || id == 402) {
            log.push_back("base " + std::to_string(id));
            return true;
        }
        return TFrameWindow::EvCommand(id);
    }
    bool EvCommandEnable(int id, TCommandEnabler& ce) override {
        if (id == 57) {
            ce.Enable(saveEnabled);
            return true;
        }
        return TFrameWindow::EvCommandEnable(id, ce);
    }
};

class DerivedLayer : public BaseLayer {
public:
    bool automatic = false;
    bool computing = false;
    std::vector<int> keys;

    bool EvCommand(int id) override {
        if (id == 402) {  // overrides the base's handling
            log.push_back("derived 402");
            return true;
        }
        if (id == 48) {
            automatic = !automatic;
            log.push_back("derived 48");
            return true;
        }
        if (id == 403) {
            log.push_back(computing ? "403 while computing" : "403");
            return true;
        }
        return BaseLayer::EvCommand(id);
    }
    bool EvCommandEnable(int id, TCommandEnabler& ce) override {
        if (id == 48) {
            ce.SetCheck(automatic);
            return true;
        }
        return BaseLayer::EvCommandEnable(id, ce);
    }

protected:
    void EvKeyDown(int vk, unsigned, bool) override { keys.push_back(vk); }
};

class WindowCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { automation::EnsureApplication(); }
};

TEST_F(WindowCommandsTest, MostDerivedClassIsAskedFirstAndFallsBack) {
    DerivedLayer w;
    EXPECT_TRUE(w.EvCommand(402));
    EXPECT_TRUE(w.EvCommand(57));
    EXPECT_FALSE(w.EvCommand(999));
    EXPECT_EQ(w.log, (std::vector<std::string>{"derived 402", "base 57"}));
}

TEST_F(WindowCommandsTest, RunCommandHonoursTheEnableQuery) {
    DerivedLayer w;
    w.saveEnabled = false;
    EXPECT_FALSE(w.RunCommand(57));
    w.saveEnabled = true;
    EXPECT_TRUE(w.RunCommand(57));
    EXPECT_EQ(w.log, std::vector<std::string>{"base 57"});
}

TEST_F(WindowCommandsTest, MenuFromResourcesTakesEnableAndCheckAnswers) {
    DerivedLayer w;
    ASSERT_TRUE(w.SetMenu("TEST_DEMO"));
    EXPECT_TRUE(w.HasMenuItem(57));
    EXPECT_TRUE(w.HasMenuItem(354));
    EXPECT_FALSE(w.HasMenuItem(402));
    // Flags written in the resource are the starting state.
    EXPECT_TRUE(w.IsMenuItemChecked(48));
    EXPECT_FALSE(w.IsMenuItemEnabled(49));
    EXPECT_FALSE(w.RunCommand(49));

    w.saveEnabled = false;
    w.UpdateCommandStates();
    EXPECT_FALSE(w.IsMenuItemEnabled(57));
    EXPECT_FALSE(w.IsMenuItemChecked(48));  // the handler's answer wins over the resource
    w.RunCommand(48);
    w.UpdateCommandStates();
    EXPECT_TRUE(w.IsMenuItemChecked(48));
    // Items nobody answers for keep what was set directly.
    w.CheckMenuItem(354, true);
    w.EnableMenuItem(49, true);
    w.UpdateCommandStates();
    EXPECT_TRUE(w.IsMenuItemChecked(354));
    EXPECT_TRUE(w.IsMenuItemEnabled(49));
    EXPECT_FALSE(w.SetMenu("NO_SUCH_MENU"));
    EXPECT_FALSE(w.HasMenuItem(57));
}

TEST_F(WindowCommandsTest, FirstIdleAfterShowAsksForCommandStates) {
    struct Counting : TFrameWindow {
        Counting() : TFrameWindow(nullptr, "számláló") {}
        int asked = 0;
        bool EvCommandEnable(int id, TCommandEnabler& ce) override {
            if (id == 57) ++asked;
            return TFrameWindow::EvCommandEnable(id, ce);
        }
    } w;
    w.SetMenu("TEST_DEMO");
    w.Create();
    w.Show();
    EXPECT_EQ(w.asked, 0);
    automation::ProcessEvents();
    EXPECT_EQ(w.asked, 1);
    automation::ProcessEvents();
    EXPECT_EQ(w.asked, 1);  // only once
    w.Show(false);
}

TEST_F(WindowCommandsTest, AcceleratorKeysRunCommandsOtherKeysReachTheWindow) {
    DerivedLayer w;
    w.SetMenu("TEST_DEMO");
    ASSERT_TRUE(w.LoadAccelerators("TEST_DEMO"));
    w.Create();
    w.Show();
    automation::ProcessEvents();
    automation::PostKey(w, vk::F(2));
    automation::PostKey(w, 'S', kCtrl | kShift);
    automation::PostKey(w, 'Q');
    automation::ProcessEvents();
    // Ctrl+Shift+S is an accelerator without a handler: consumed, nothing runs.
    EXPECT_EQ(w.log, std::vector<std::string>{"derived 402"});
    EXPECT_EQ(w.keys, std::vector<int>{'Q'});
    w.Show(false);
}

TEST_F(WindowCommandsTest, KeyQueueDuringAComputation) {
    DerivedLayer w;
    w.LoadAccelerators("TEST_DEMO");
    w.Create();
    w.Show();
    automation::ProcessEvents();

    // A long command polls the keyboard between steps; keys are captured, not delivered.
    w.computing = true;
    KeyPress key;
    EXPECT_FALSE(PollKeyEvent(w, key));
    automation::PostKey(w, 'S');
    automation::PostKey(w, vk::F(3));
    automation::PostKey(w, 'Q', kShift);
    automation::Click(w, 5, 5);  // mouse input does not run anything meanwhile
    std::vector<KeyPress> seen;
    std::vector<bool> accel;
    for (int step = 0; step < 10 && seen.size() < 3; ++step) {
        while (PollKeyEvent(w, key)) {
            seen.push_back(key);
            accel.push_back(w.TryAccelerator(key));
        }
    }
    w.computing = false;
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].vk, 'S');
    EXPECT_FALSE(accel[0]);
    EXPECT_EQ(seen[1].vk, vk::F(3));
    EXPECT_TRUE(accel[1]);  // the accelerator ran its command inside the computation
    EXPECT_EQ(seen[2].vk, 'Q');  // letters come as capitals, shifted or not
    EXPECT_EQ(seen[2].modifiers, kShift);
    EXPECT_EQ(w.log, std::vector<std::string>{"403 while computing"});
    EXPECT_TRUE(w.keys.empty());  // nothing leaked to the window's own key handler
    w.Show(false);
}

TEST_F(WindowCommandsTest, PropertiesTimersAndCaption) {
    struct Ticking : TFrameWindow {
        Ticking() : TFrameWindow(nullptr, "óra") {}
        int ticks = 0;
        void EvTimer(int id) override {
            if (id == 7 && ++ticks == 2) KillTimer(7);
        }
    } w;
    w.SetProperty("cvhuprev", 1);
    EXPECT_EQ(w.GetProperty("cvhuprev"), 1);
    EXPECT_EQ(w.GetProperty("más"), 0);
    w.RemoveProperty("cvhuprev");
    EXPECT_EQ(w.GetProperty("cvhuprev"), 0);
    EXPECT_EQ(w.GetCaption(), "óra");
    w.SetCaption("névtelen1.cv2+");
    EXPECT_EQ(w.GetCaption(), "névtelen1.cv2+");

    w.Create();
    w.Show();
    w.SetTimer(7, 5);
    for (int i = 0; i < 200 && w.ticks < 2; ++i) {
        automation::ProcessEvents();
        usleep(2000);
    }
    for (int i = 0; i < 20; ++i) {
        automation::ProcessEvents();
        usleep(2000);
    }
    EXPECT_EQ(w.ticks, 2);
    w.Show(false);
}

TEST_F(WindowCommandsTest, GeometryAndMaximisedStateSurviveARoundTrip) {
    TFrameWindow w(nullptr, "hely");
    w.MoveWindow({100, 20, 300, 140});
    w.Create();
    w.Show();
    automation::ProcessEvents();
    // The platform may add its frame to the outer rectangle; what matters is the round trip.
    Rect before = w.GetWindowRect();
    EXPECT_GE(before.Width(), 200);
    w.Maximize();
    automation::ProcessEvents();
    EXPECT_TRUE(w.IsMaximized());
    EXPECT_EQ(w.GetNormalRect(), before);  // what a settings file stores
    w.Restore();
    automation::ProcessEvents();
    EXPECT_FALSE(w.IsMaximized());
    w.Minimize();
    automation::ProcessEvents();
    w.Raise();  // restores a minimised window
    automation::ProcessEvents();
    EXPECT_FALSE(w.IsMinimized());
    w.Show(false);
}

// What a settings file stores is the outer rectangle read from the window; placing a new
// window at it before it is shown gives the same rectangle back, start after start.
TEST_F(WindowCommandsTest, OuterRectangleSurvivesRepeatedSaveAndRestore) {
    Rect stored{120, 60, 320, 180};
    for (int cycle = 0; cycle < 2; ++cycle) {
        TFrameWindow w(nullptr, "indító");
        w.MoveWindow(stored);  // as a window restores its placement when it is set up
        w.Create();
        w.Show();
        for (int i = 0; i < 100 && w.GetWindowRect() != stored; ++i) {
            automation::ProcessEvents();
            usleep(5000);
        }
        EXPECT_EQ(w.GetWindowRect(), stored) << "cycle " << cycle;
        stored = w.GetWindowRect();  // what closing writes
        w.Show(false);
    }
}

TEST_F(WindowCommandsTest, ClosingAParentAsksEveryChildAndDeletesThem) {
    struct Child : TFrameWindow {
        Child(TWindow* p, bool* ok, bool* destroyed) : TFrameWindow(p, "gyerek"), ok_(ok), destroyed_(destroyed) {}
        ~Child() override { *destroyed_ = true; }
        bool CanClose() override { return *ok_; }
        bool* ok_;
        bool* destroyed_;
    };
    auto* parent = new TFrameWindow(nullptr, "szülő");
    bool childAgrees = false;
    bool childGone = false;
    new Child(parent, &childAgrees, &childGone);
    parent->Create();
    EXPECT_FALSE(parent->CanClose());
    childAgrees = true;
    EXPECT_TRUE(parent->CanClose());
    parent->EvCommand(kCmExit);  // closes: destroys the window and its children
    EXPECT_FALSE(parent->IsCreated());
    EXPECT_FALSE(childGone);
    automation::ProcessEvents();
    EXPECT_TRUE(childGone);  // a closed child frame is deleted at the next turn
    EXPECT_TRUE(parent->Children().empty());
    delete parent;
}

}  // namespace
}  // namespace curvelo::fw
