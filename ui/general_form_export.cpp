// The picture outside the window: drawn again through the vector surface for the SVG and PDF
// files and the printer, and copied to the clipboard as shown, with the result field's text.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/general_form.h"
#include "ui/table_window.h"
#include "ui/utf8_text.h"
#include "view/axis_label_painter.h"
#include "view/sequence_pictures.h"
#include "view/vector_surface.h"

namespace {

// The printed page: the expression as a one-line title over the picture, which is scaled to
// the rest of the page with its proportions kept.
void PrintPicture(QPrinter& printer, const QString& title, QSize picture,
                  const std::function<void(DrawSurface&)>& draw) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const QRectF page(QPointF(0, 0),
                      printer.pageLayout().paintRectPixels(printer.resolution()).size());
    QFont font = painter.font();
    font.setPointSizeF(12);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const qreal titleHeight = metrics.height() * 1.5;
    painter.setPen(Qt::black);
    painter.drawText(QRectF(page.left(), page.top(), page.width(), metrics.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     metrics.elidedText(title, Qt::ElideRight, page.width()));
    const QRectF area = page.adjusted(0, titleHeight, 0, 0);
    if (picture.isEmpty() || area.isEmpty()) return;
    const qreal scale = std::min(area.width() / picture.width(), area.height() / picture.height());
    painter.translate(area.left(), area.top());
    painter.scale(scale, scale);
    VectorSurface surface(painter, picture.width(), picture.height());
    draw(surface);
}

}  // namespace

std::function<void(DrawSurface&)> GeneralForm::VectorPicture() const {
    const bool labels = mnuViewLabels->isChecked();
    return [document = CurrentDocument(), labels](DrawSurface& surface) {
        try {
            DrawDocument(surface, document);
        } catch (const DrawingOverflow&) {
            // The picture shows what was drawn before the drawing gave up, as the window does.
        }
        // The labels the window paints over the picture go into the outputs as text.
        if (labels) DrawAxisLabels(surface, document.View, document.Frame.Background);
    };
}

QString GeneralForm::PictureExpression() const {
    const std::string title = DocumentTitle(document_);
    return title.empty() ? txtFunctionText->currentText() : FromUtf8(title);
}

void GeneralForm::mnuFunctionPrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (ExecModal(dialog) != QDialog::Accepted) return;
    const QImage& shown = canvas().Image();
    if (shown.isNull()) return;
    PrintPicture(printer, PictureExpression(), shown.deviceIndependentSize().toSize(),
                 VectorPicture());
}

void GeneralForm::mnuEditCopyPictureClick() {
    // The clipboard takes the picture at its logical size.
    const QImage shown = RasterPicture(1);
    if (shown.isNull()) return;
    QGuiApplication::clipboard()->setImage(shown);
}

void GeneralForm::mnuEditCopyResultClick() {
    QGuiApplication::clipboard()->setText(txtResult->text());
}
