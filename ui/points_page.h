// The page "Особые точки" of the table window: the points of interest of the picture (kind, x,
// y) as the main window last found them, copied to the clipboard or saved as CSV like the other
// tables, with a note when a kind has more than the limit.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "calc/points_of_interest.h"
#include "view/plot_marks.h"

class Dialogs;
class QFileDialog;
class QLabel;
class QPushButton;
class QTableWidget;

// The word of a point's kind ("Нуль", "Минимум"...), in the interface language.
QString PointKindText(PointKind kind);

class PointsPage : public QWidget {
    Q_OBJECT

  public:
    PointsPage(const Dialogs& dialogs, QWidget* parent);

    // The list shows these points; `more` marks the kinds cut at the limit.
    void ShowPoints(const std::vector<PointMarker>& markers,
                    const std::array<bool, kPointGroups>& more);

  private:
    // Puts the selected rows on the clipboard, tab-separated.
    void btnPointsCopyClick();
    void btnPointsSaveCsvClick();

    QTableWidget* tblPoints = nullptr;
    QLabel* lblPointsStatus = nullptr;
    QPushButton* btnPointsCopy = nullptr;
    QPushButton* btnPointsSaveCsv = nullptr;
    QFileDialog* SavePointsDialog = nullptr;

    std::vector<PointOfInterest> points_;
    const Dialogs& dialogs_;
};
