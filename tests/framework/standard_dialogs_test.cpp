// The standard dialogs beside a frame: an open menu, a message box and the file and font
// dialogs keep their keys from the frame's accelerators; a message box fits its caption.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

#include "framework/automation.h"
#include "framework/common_dialogs.h"
#include "framework/frame_window.h"
#include "framework/keys.h"

namespace curvelo::fw {
namespace {

// A window with the 2D window's menu and accelerators (Right pans, Ctrl+A toggles the axes,
// Ctrl+V opens the view dialog there) that records every command it receives.
class Recorder : public TFrameWindow {
public:
    Recorder() : TFrameWindow(nullptr, "billentyűk") {
        SetMenu("PLOT2MENU");
        LoadAccelerators("PLOT2MENU");
    }
    std::vector<int> commands;
    bool EvCommand(int id) override {
        commands.push_back(id);
        return true;
    }
};

QMainWindow* MainWidget(const char* title) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMainWindow*>(w); m && m->windowTitle() == QString::fromUtf8(title)) return m;
    return nullptr;
}

// The keys that took over the dialogs: cursor keys, End, letters (not in a menu, where a
// letter picks its item), Ctrl+V, Ctrl+A.
void TypeInto(QWidget* w, bool letters = true) {
    ASSERT_NE(w, nullptr);
    for (Qt::Key k : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_End, Qt::Key_Up})
        QTest::keyClick(w, k);
    if (letters) QTest::keyClicks(w, "abc");
    QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
}

// Runs `open` (which shows a modal dialog and waits), hands the dialog to `act` once it is up
// and closes it again.
void WithModal(const std::function<void()>& open, const std::function<void(QDialog*)>& act) {
    bool typed = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || typed) return;
        typed = true;
        act(dialog);
        dialog->reject();
    });
    poll.start();
    QTimer::singleShot(5000, [&] {  // never hang the suite when no dialog appears
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
    });
    open();
    EXPECT_TRUE(typed);
}

void TypeIntoModal(const std::function<void()>& open) {
    WithModal(open, [](QDialog* dialog) { TypeInto(dialog->focusWidget() ? dialog->focusWidget() : dialog); });
}

struct WithApplication {
    WithApplication() { automation::EnsureApplication(); }
};

class AcceleratorFocusTest : public ::testing::Test {
protected:
    void SetUp() override {
        w.Create();
        w.Show();
        automation::ProcessEvents();
    }
    void TearDown() override { w.Show(false); }
    WithApplication app;  // before the window
    Recorder w;
};

}  // namespace

TEST_F(AcceleratorFocusTest, TheWindowItselfStillRunsItsAccelerators) {
    automation::PostKey(w, vk::kRight);
    automation::PostKey(w, 'A', kCtrl);
    automation::ProcessEvents();
    EXPECT_EQ(w.commands, (std::vector<int>{323, 109}));
}

TEST_F(AcceleratorFocusTest, AnOpenMenuKeepsItsKeys) {
    QMainWindow* main = MainWidget("billentyűk");
    ASSERT_NE(main, nullptr);
    ASSERT_FALSE(main->menuBar()->actions().isEmpty());
    QMenu* file = main->menuBar()->actions().first()->menu();
    ASSERT_NE(file, nullptr);
    file->popup(main->mapToGlobal(QPoint(0, 0)));
    automation::ProcessEvents();
    ASSERT_EQ(QApplication::activePopupWidget(), file);
    TypeInto(file, false);
    automation::ProcessEvents();
    file->close();
    automation::ProcessEvents();
    EXPECT_TRUE(w.commands.empty());
}

TEST_F(AcceleratorFocusTest, ModalStandardDialogsKeepTheirKeys) {
    TypeIntoModal([&] {
        FileDialogOptions options;
        options.title = "Mentés másként";
        options.filter = "rajz|*.cv2";
        SaveFileDialog(&w, options);
    });
    TypeIntoModal([&] {
        LogFont font;
        ChooseFont(&w, font, nullptr);
    });
    TypeIntoModal([&] { MessageBox(&w, "hmm", "hmm...", kMbOkCancel); });
    automation::ProcessEvents();
    EXPECT_TRUE(w.commands.empty());
}

// A short message under a caption: the box is wide enough for the caption and the title
// bar's buttons beside it.
TEST_F(AcceleratorFocusTest, AMessageBoxIsWideEnoughForItsCaption) {
    for (const char* caption : {"hmm...", "nem tudom megnyitni az állományt"}) {
        int width = 0, captionWidth = 0;
        WithModal([&] { MessageBox(&w, "x", caption); },
                  [&](QDialog* box) {
                      width = box->width();
                      QFont bold = box->font();
                      bold.setBold(true);
                      captionWidth = QFontMetrics(bold).horizontalAdvance(QString::fromUtf8(caption));
                  });
        EXPECT_GE(width, captionWidth + 100) << caption;
    }
}

}  // namespace curvelo::fw
