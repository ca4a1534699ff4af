// The Qt widgets behind windows: they forward Qt's events to their WindowImpl.
#pragma once

#include <QDialog>
#include <QMainWindow>
#include <QWidget>

#include "framework/qt_internal.h"

namespace curvelo::fw {

// Shared by the widget classes: drag and drop of local files.
bool AcceptsFileDrag(WindowImpl* impl, QEvent* e);
void DeliverFileDrop(WindowImpl* impl, QEvent* e);

class ClientWidget : public QWidget {
public:
    ClientWidget(WindowImpl* impl, QWidget* parent);
    WindowImpl* impl;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    bool event(QEvent* e) override;
};

class FrameWidget : public QMainWindow {
public:
    explicit FrameWidget(WindowImpl* impl);
    WindowImpl* impl;

protected:
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void changeEvent(QEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
};

class DialogWidget : public QDialog {
public:
    DialogWidget(WindowImpl* impl, QWidget* parent);
    WindowImpl* impl;
    void reject() override;
    void accept() override {}

protected:
    void closeEvent(QCloseEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
};

}  // namespace curvelo::fw
