// The side panel fitted to its font: the size fields hold the longest values they show and the
// captions their longest texts, whatever the font and the screen's scale. The form's sizes stay
// where they are large enough; the right column moves over as far as the size fields need.
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <utility>

#include "processing/processing_commands.h"
#include "ui/main_window.h"

namespace skelda {
namespace {

constexpr int kFormPanelWidth = 210;
constexpr int kRightColumn = 103;  // the form's right column starts here
constexpr int kColumnGap = 4;
constexpr int kPanelMargin = 4;
constexpr int kFormFieldWidth = 33;
// The fields' border and padding (their style sheet), the edit's own margins and the caret.
constexpr int kFieldChrome = 2 * 1 + 2 * 1 + 2 * 2 + 1;

// The largest picture's side has seven digits; in millimetres at the usual dot size of 0.2 it
// has six before the point.
const QString kLongestCount = QStringLiteral("0000000");
const QString kLongestMm = QStringLiteral("000000.0");

int FieldWidth(const QWidget* field, const QString& text) {
  const int textWidth = std::ceil(QFontMetricsF(field->font()).horizontalAdvance(text));
  return std::max(kFormFieldWidth, textWidth + kFieldChrome);
}

int TextWidth(const QWidget* label, const std::string& text) {
  return std::ceil(QFontMetricsF(label->font()).horizontalAdvance(QString::fromStdString(text)));
}

// The caption keeps its text (" пикс.    мм."); its word spacing places each unit under the
// middle of its field.
void CentreUnits(QLabel* units, const QWidget* left, const QWidget* right) {
  const QString text = units->text();
  units->setFont(units->parentWidget()->font());  // the spacing of an earlier text undone
  const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (words.size() != 2) return;
  const int leading = text.indexOf(words[0]);
  const int between = text.indexOf(words[1], leading + words[0].size()) - leading - words[0].size();
  QFont font = units->font();
  const QFontMetricsF metrics(font);
  const qreal first = metrics.horizontalAdvance(words[0]);
  const qreal second = metrics.horizontalAdvance(words[1]);
  const qreal leftCentre = left->geometry().center().x();
  const qreal rightCentre = right->geometry().center().x();
  const qreal space = (rightCentre - leftCentre - (first + second) / 2) / between;
  font.setWordSpacing(space - metrics.horizontalAdvance(QLatin1Char(' ')));
  units->setFont(font);
  units->move(std::lround(leftCentre - leading * space - first / 2), units->y());
  units->adjustSize();
}

}  // namespace

void TForm1::FitPanelToFont() {
  const int countWidth = FieldWidth(edt5, kLongestCount);
  const int mmWidth = FieldWidth(edt2, kLongestMm);
  const int sizeColumnEnd = edt5->x() + countWidth - 1 + mmWidth + 1 + btn5->width();
  const int leftEnd = std::max(sizeColumnEnd, lbl10->x() + TextWidth(lbl10, ThresholdLabel(256)));
  const int shift = std::max(0, leftEnd + kColumnGap - kRightColumn);
  for (QWidget* control : pnl1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (control->x() >= kRightColumn) control->move(control->x() + shift, control->y());

  // The field in dots, the one in mm overlapping it by a border, then "S".
  for (auto [dots, mm, resample] : {std::tuple{edt5, edt2, btn5}, std::tuple{edt6, edt3, btn6}}) {
    dots->resize(countWidth, dots->height());
    mm->setGeometry(dots->x() + countWidth - 1, mm->y(), mmWidth, mm->height());
    resample->move(mm->x() + mmWidth + 1, resample->y());
  }
  CentrePanelUnits();

  int width = kFormPanelWidth + shift;
  const std::pair<QLabel*, std::string> longest[] = {
      {lbl5, SharpnessLabel(-100)}, {lbl11, BrightnessLabel(-200)}, {lbl12, ContrastLabel(-100)}};
  for (const auto& [label, text] : longest)
    width = std::max(width, label->x() + TextWidth(label, text) + kPanelMargin);
  pnl1->setFixedWidth(width);
}

}  // namespace skelda

namespace skelda {

void TForm1::CentrePanelUnits() {
  CentreUnits(lbl4, edt5, edt2);
}

}  // namespace skelda
