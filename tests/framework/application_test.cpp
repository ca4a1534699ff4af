#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/automation.h"
#include "framework/frame_window.h"

namespace curvelo::fw {
namespace {

class ClosingFrame : public TFrameWindow {
public:
    explicit ClosingFrame(int* destroyed) : TFrameWindow(nullptr, "Curvelo"), destroyed_(destroyed) {}
    void Destroy(int retVal) override {
        ++*destroyed_;
        TFrameWindow::Destroy(retVal);
    }

private:
    int* destroyed_;
};

// The loop runs the idle hook once the queue is empty; closing the main window ends Run.
class IdleApp : public TApplication {
public:
    IdleApp(int& argc, char** argv) : TApplication(argc, argv, "Curvelo") {}
    int idleCalls = 0;
    int destroyed = 0;
    bool wasShown = false;

protected:
    void InitMainWindow() override { SetMainWindow(new ClosingFrame(&destroyed)); }
    bool IdleAction(long) override {
        if (++idleCalls == 1) {
            wasShown = MainWindow()->IsVisible();
            MainWindow()->EvCommand(kCmExit);
        }
        return false;
    }
};

TEST(Application, RunsUntilTheMainWindowCloses) {
    automation::EnsureApplication();
    int argc = 1;
    char arg0[] = "curvelo";
    char* argv[] = {arg0, nullptr};
    IdleApp app(argc, argv);
    ASSERT_TRUE(app.Ok());
    EXPECT_EQ(TApplication::Current(), &app);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_TRUE(app.wasShown);
    EXPECT_EQ(app.destroyed, 1);
    EXPECT_FALSE(app.MainWindow()->IsCreated());
}

}  // namespace
}  // namespace curvelo::fw
