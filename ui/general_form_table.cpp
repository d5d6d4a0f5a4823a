// The main window's side of the table window: its menu entry, the picture chosen there (the
// graph, the terms or the cobweb) drawn by every redraw, and the table refreshed after a run.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <algorithm>

#include "messages/messages.h"
#include "ui/general_form.h"
#include "ui/picture_widget.h"
#include "ui/table_window.h"
#include "ui/utf8_text.h"

void GeneralForm::createTableWindow() {
    tableWindow = new TableWindow(*this, dialogs_);
    connect(tableWindow, &TableWindow::pictureChoiceChanged, this,
            &GeneralForm::TablePictureChanged);
    document_.Mode = tableWindow->Mode();
    document_.SequenceX = tableWindow->SequenceX();
    connect(tableWindow, &TableWindow::fillRequested, this, &GeneralForm::FillTable);
    mnuTableOpen = new QAction(tr("&Таблица и последовательность..."), this);
    mnuTableOpen->setObjectName(QStringLiteral("mnuTableOpen"));
    mnuTableOpen->setShortcut(QKeySequence(Qt::Key_F4));
    connect(mnuTableOpen, &QAction::triggered, this, &GeneralForm::mnuTableOpenClick);
    addAction(mnuTableOpen);
    mnuTable = new QMenu(tr("&Таблица"), this);
    mnuTable->setObjectName(QStringLiteral("mnuTable"));
    mnuTable->addAction(mnuTableOpen);
    menuBar()->insertMenu(mnuHelp->menuAction(), mnuTable);
}

// "Вид → Рисунок": the same choice as the table window's, shown and changed here.
void GeneralForm::createPictureModeMenu(QMenu& view) {
    mnuViewPicture = view.addMenu(tr("&Рисунок"));
    mnuViewPicture->setObjectName(QStringLiteral("mnuViewPicture"));
    auto* group = new QActionGroup(mnuViewPicture);
    for (const PictureMode mode : {PictureMode::Graph, PictureMode::Terms, PictureMode::Cobweb}) {
        QAction* action = mnuViewPicture->addAction(FromUtf8(PictureModeName(mode)));
        action->setCheckable(true);
        action->setData(static_cast<int>(mode));
        action->setChecked(mode == tableWindow->Mode());
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode] { tableWindow->SetMode(mode); });
    }
    connect(tableWindow, &TableWindow::pictureChoiceChanged, this, [this] {
        for (QAction* action : mnuViewPicture->actions()) {
            action->setChecked(action->data().toInt() == static_cast<int>(tableWindow->Mode()));
        }
    });
}

void GeneralForm::mnuTableOpenClick() {
    if (!tableWindow->isVisible() && !tablePlaced_) {
        // Beside the main window's menu and log: at the right of the screen, from the top of
        // the picture down.
        tablePlaced_ = true;
        const QRect screen = this->screen()->availableGeometry();
        const QSize size = tableWindow->sizeHint().expandedTo(tableWindow->size());
        const int top = std::max(screen.top(), Image->mapToGlobal(QPoint(0, 0)).y());
        tableWindow->move(std::max(screen.left(), screen.right() - size.width()), top);
    }
    tableWindow->show();
    tableWindow->raise();
    tableWindow->activateWindow();
    FillTable();
}

void GeneralForm::FillTable() {
    tableWindow->Fill(document_, document_.RunEngine);
}

void GeneralForm::AfterRunForTable() {
    if (tableWindow->isVisible()) FillTable();
}
