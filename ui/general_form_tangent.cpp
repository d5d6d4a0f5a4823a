// The tangent and the shaded integral: "Вид → Касательная" draws the tangent of the calculations'
// expression at the derivative field's x, with its equation in the result field, and a finished
// integral shades the area between the curve and the axis over its limits. Both are part of the
// document, so they are redrawn with the view and go into every output; a run removes them.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <cmath>

#include "calc/calculations.h"
#include "engine/number_text.h"
#include "messages/messages.h"
#include "ui/general_form.h"
#include "ui/utf8_text.h"
#include "ui/widget_factory.h"

namespace {

// The coefficients as the derivative command shows its value.
constexpr int kEquationDecimals = 10;

}  // namespace

void GeneralForm::createTangentControls(QMenu& view) {
    mnuViewTangent = new QAction(tr("Касательная"), this);
    mnuViewTangent->setObjectName(QStringLiteral("mnuViewTangent"));
    mnuViewTangent->setToolTip(tr("Касательная в точке x поля производной"));
    connect(mnuViewTangent, &QAction::triggered, this, &GeneralForm::mnuViewTangentClick);
    view.addAction(mnuViewTangent);
}

QString GeneralForm::TangentEquation(ExtendedReal slope, ExtendedReal offset) const {
    const QString k = Displayed(RealDisplayText(slope, kEquationDecimals));
    const QString b = Displayed(RealDisplayText(std::fabs(offset), kEquationDecimals));
    return std::signbit(offset) && b != QStringLiteral("0") ? tr("y = %1·x - %2").arg(k, b)
                                                            : tr("y = %1·x + %2").arg(k, b);
}

void GeneralForm::mnuViewTangentClick() {
    const std::string text = Entered(txtXProiz->text());
    ExtendedReal x = 0;
    if (document_.RunEngine.LastBuildError != kNoError || !NumberSyntax(text, x)) {
        // Refused as the derivative command refuses, in its words.
        ShowCalcOutcome(CalculateDerivative(document_.RunEngine, text));
        return;
    }
    const Tangent tangent = TangentAt(document_.RunEngine, x);
    if (tangent.FailCode) {
        txtFuncResult->setText(FromUtf8(FailureText(*tangent.FailCode)));
        txtFuncResult->setToolTip(txtFuncResult->text());
        return;
    }
    txtFuncResult->setText(TangentEquation(tangent.Slope, tangent.Offset));
    txtFuncResult->setToolTip(tr("Касательная в точке x = %1").arg(txtXProiz->text()));
    document_.Tangent = TangentLine{tangent.Slope, tangent.Offset, ui::ColourOf(txtLineColor)};
    PlotPicture(true);
}

void GeneralForm::ShadeIntegral(const std::string& from, const std::string& to) {
    ExtendedReal lower = 0;
    ExtendedReal upper = 0;
    if (!NumberSyntax(from, lower) || !NumberSyntax(to, upper) || lower == upper) return;
    document_.Shading = DocumentShading{{lower, upper, ui::ColourOf(txtLineColor)},
                                        std::make_shared<const Engine>(document_.RunEngine)};
    PlotPicture(true);
}
