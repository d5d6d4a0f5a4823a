// The window "Таблица" opened from the menu: the sequence of the last run expression (n and
// a_n at a chosen x, with its last term, last difference and behaviour) or a value table of it
// (x and f(x) over a range), rows copied to the clipboard or saved as CSV, and the choice of the
// main picture: the graph, the terms of the sequence or its cobweb.
#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "calc/sequence_table.h"
#include "ui/table_fill.h"
#include "view/plot_marks.h"
#include "view/sequence_pictures.h"

class Dialogs;
struct Engine;
struct PlotDocument;
class QCloseEvent;
class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QShortcut;
class QTableView;
class QTabWidget;
class PointsPage;
class TableRowsModel;

inline const char* const kTableWindowCaption = QT_TRANSLATE_NOOP("TableWindow", "Таблица");

class TableWindow : public QWidget {
    Q_OBJECT

  public:
    // A window of its own over `owner`, its messages and dialogs shown through `dialogs`.
    TableWindow(QWidget& owner, const Dialogs& dialogs);
    ~TableWindow() override;

    // The picture the main window draws, and the argument of the sequence pictures (the x of
    // the sequence table as last accepted).
    PictureMode Mode() const;
    // Chooses the picture (as the window's own choice does, redrawing when it changes).
    void SetMode(PictureMode mode);
    ExtendedReal SequenceX() const { return sequenceX_; }

    // Fills the chosen table in the background: the sequence of `lastBuild` (the selected
    // curve's, with the fields' parameters), or the function table of it, or with several
    // visible curves in `document`, of each of them. A fill in flight is cancelled first.
    void Fill(const PlotDocument& document, const Engine& lastBuild);
    // Ends the fill in flight; nothing of it reaches the table.
    void CancelFill();
    bool Filling() const;
    // The page of the points of interest shows these (`more`: the kinds cut at the limit).
    void ShowPoints(const std::vector<PointMarker>& markers,
                    const std::array<bool, kPointGroups>& more);

  signals:
    // The main picture must be drawn anew: another picture was chosen, or the argument of a
    // sequence picture changed.
    void pictureChoiceChanged();
    // The user asked for a fill (the fill button, Enter in a field): the owner calls Fill.
    void fillRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void createControls();
    void layOutControls();
    void FillSequence(const Engine& lastBuild);
    void FillFunctionTable(const PlotDocument& document, const Engine& lastBuild);
    void StartFill(std::shared_ptr<TableFillJob> job);
    void ShowSummary(bool shown);
    // Reads the x field; false (and the message shown) when it is no number.
    bool ReadSequenceX();

    // The fill button fills, or stops the fill that shows its progress.
    void btnTableFillClick();
    // Puts the selected rows on the clipboard, tab-separated.
    void btnTableCopyClick();
    void btnTableSaveCsvClick();
    void cbxPictureModeChange();
    void txtSeqXExit();
    void StopFill();
    void FillStarted();
    void FillProgress(int percent);
    void FillEnded();
    void FillDelivered(const std::shared_ptr<TableFillJob>& job);

    // Controls (object names equal the member names).
    QRadioButton* rbtSequence = nullptr;
    QRadioButton* rbtFunctionTable = nullptr;
    QLineEdit* txtSeqX = nullptr;
    QLineEdit* txtTableX0 = nullptr;
    QLineEdit* txtTableXk = nullptr;
    QLineEdit* txtTableStep = nullptr;
    QPushButton* btnTableFill = nullptr;
    QLabel* lblFillStatus = nullptr;
    QTableView* tblRows = nullptr;
    TableRowsModel* model = nullptr;
    QLabel* lblLastTerm = nullptr;
    QLabel* lblLastDifference = nullptr;
    QLabel* lblBehaviour = nullptr;
    QPushButton* btnTableCopy = nullptr;
    QPushButton* btnTableSaveCsv = nullptr;
    QComboBox* cbxPictureMode = nullptr;
    QFileDialog* SaveCsvDialog = nullptr;
    QShortcut* stopFillShortcut = nullptr;
    QTabWidget* pgTablePages = nullptr;
    PointsPage* pointsPage = nullptr;

    TableFiller* filler_ = nullptr;
    const Dialogs& dialogs_;
    ExtendedReal sequenceX_ = 0;
};
