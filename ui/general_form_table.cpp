// The main window's side of the table window: its menu entry, the picture chosen there (the
// graph, the terms or the cobweb) drawn by every redraw, and the table refreshed after a run.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "ui/general_form.h"
#include "ui/table_window.h"

void GeneralForm::createTableWindow() {
    tableWindow = new TableWindow(*this);
    connect(tableWindow, &TableWindow::pictureChoiceChanged, this, &GeneralForm::RedrawPicture);
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

void GeneralForm::mnuTableOpenClick() {
    tableWindow->show();
    tableWindow->raise();
    tableWindow->activateWindow();
    tableWindow->Fill();
}

void GeneralForm::AfterRunForTable() {
    if (tableWindow->isVisible()) tableWindow->Fill();
}
