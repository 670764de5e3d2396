// "Другие методы" in "Эффекты": the dot methods beside "Точками" and the serpentine switch of
// the diffusion kernels. Each item converts as "Точками" does and the threshold slider re-runs
// the method last chosen.
#include <QAction>
#include <QMenu>

#include "processing/processing_commands.h"
#include "ui/main_window.h"
#include "ui/status_hints.h"

namespace skelda {
namespace {

struct MethodItem {
  DotMethod method;
  const char* name;
  const char* caption;
};

const MethodItem kMethodItems[] = {
    {DotMethod::Atkinson, "DotAtkinson1", "Аткинсон"},
    {DotMethod::JarvisJudiceNinke, "DotJarvis1", "Джарвис — Джудис — Нинке"},
    {DotMethod::Stucki, "DotStucki1", "Стуки"},
    {DotMethod::Burkes, "DotBurkes1", "Беркс"},
    {DotMethod::Sierra, "DotSierra1", "Серра"},
    {DotMethod::TwoRowSierra, "DotSierra21", "Серра, две строки"},
    {DotMethod::SierraLite, "DotSierraLite1", "Серра облегчённая"},
    {DotMethod::Bayer8, "DotBayer1", "Упорядоченный 8×8"},
};

// The status bar shows an item's hint while the pointer is on it.
void NameWithHint(QAction* action, const char* name) {
  action->setObjectName(QLatin1String(name));
  action->setStatusTip(HintFor(action->objectName()));
}

}  // namespace

void TForm1::BuildDotMethodsMenu() {
  N3->addSeparator();
  DotMethods1 = N3->addMenu(QStringLiteral("Другие методы"));
  DotMethods1->setObjectName(QStringLiteral("DotMethods1"));
  DotMethods1->setFont(N3->font());
  NameWithHint(DotMethods1->menuAction(), "DotMethods1");
  for (std::size_t i = 0; i < std::size(kMethodItems); ++i) {
    const MethodItem& item = kMethodItems[i];
    QAction* action = DotMethods1->addAction(QString::fromUtf8(item.caption));
    NameWithHint(action, item.name);
    connect(action, &QAction::triggered, this, [this, m = item.method] { DotMethodClick(m); });
    DotMethodItems[i] = action;
  }
  DotMethods1->addSeparator();
  Serpentine1 = DotMethods1->addAction(QStringLiteral("Змейкой"));
  NameWithHint(Serpentine1, "Serpentine1");
  Serpentine1->setCheckable(true);
  connect(Serpentine1, &QAction::triggered, this, &TForm1::SerpentineClick);
}

void TForm1::DotMethodClick(DotMethod method) {
  RunCommand([this, method] {
    DotMethodCommand(ws_, method);
    RefreshPreview();
  });
}

void TForm1::SerpentineClick() {
  RunCommand([this] {
    if (SerpentineCommand(ws_, Serpentine1->isChecked())) RefreshPreview();
  });
}

}  // namespace skelda
