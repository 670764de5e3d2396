#include "ui/status_hints.h"

#include <QEvent>
#include <QMouseEvent>
#include <QStatusTipEvent>
#include <array>
#include <utility>

namespace skelda {
namespace {

struct Hint {
  const char* objectName;
  const char* text;
};

// Tool buttons, fields and menu items (a menu item shows its hint as its status tip).
const Hint kHints[] = {
    {"btn9", "Вписать изображение по размеру окна."},
    {"btn11", "Отобразить в масштабе 1:1."},
    {"btn21", "Повернуть изображение на 90 градусов против часовой стрелки."},
    {"btn19", "Повернуть изображение на 90 градусов по часовой стрелке."},
    {"btn24", "Отзеркалить по вертикали."},
    {"btn25", "Отзеркалить по горизонтали."},
    {"btn17", "Оригинальное изображение."},
    {"btn18", "Точками."},
    {"btn22", "Черно-белое."},
    {"btn20", "Инвертировать изображение."},
    {"btn12", "Подтвердить изменения."},
    {"btn8", "Сохранить управляющую программу в формате G-code *.nc (Tavrilo)"},
    {"btn7", "Открыть файл изображения (*.jpg/ *.bmp)"},
    {"edt1", "Размер одной точки в мм."},
    {"edt4", "Размер точки в DPI (кол-во точек на дюйм)"},
    {"edt5", "Размер изображения в точках по оси X"},
    {"edt2", "Размер изображения в миллиметрах по оси X"},
    {"edt6", "Размер изображения в точках по оси Y"},
    {"edt3", "Размер изображения в миллиметрах по оси Y"},
    {"edt7",
     "В точечном режиме этот параметр задает время прожига. В линейном, задержку перед "
     "перемещением после включения лазера."},
    {"edt8", "Скорость прожига в мм\\мин в линейном режиме."},
    {"N51", "Программа для классического станка (G5, M40)."},
    {"N52", "Программа для контроллера GRBL 1.1 в лазерном режиме ($32=1)."},
    {"N53", "Мощность, перебег и направление прожига для GRBL."},
    {"N56", "Показать, что прожжет программа, и время работы станка."},
    {"edtMaxRate", "Наибольшая скорость осей X и Y в мм\\мин (параметры $110, $111 в GRBL)."},
    {"edtAccel", "Ускорение осей X и Y в мм\\с² (параметры $120, $121 в GRBL)."},
    {"edtJunction", "Допустимое отклонение на углах в мм (параметр $11 в GRBL)."},
    {"edtPower", "Полная мощность лазера S (параметр $30 в GRBL)."},
    {"edtMinPower", "Мощность S для белого цвета при прожиге по яркости."},
    {"edtOverscan", "Разгон и торможение за краями строки в мм."},
    {"edtScanOffset", "Сдвиг обратных проходов по X в мм (люфт ремня, задержка лазера)."},
    {"chkOneWay", "Все проходы слева направо, возврат холостым ходом."},
    {"chkGrayscale", "Мощность каждой точки по ее яркости, без перевода в черно-белое."},
    {"edtLevels",
     "Сколько разных мощностей при прожиге по яркости (2..256): меньше — короче программа."},
    {"edtRapidGap",
     "Белые промежутки строки длиннее этого в мм проходить холостым ходом; 0 — нет."},
    {"edtBaud", "Скорость порта контроллера в бодах для времени работы; 0 — не учитывать."},
    {"edtGamma",
     "Кривая мощности при прожиге по яркости (0.2..5): 1 — прямая, меньше — темнее полутона, "
     "больше — светлее."},
    {"edtLineInterval",
     "Расстояние между строками в мм (только GRBL); пусто — равно размеру точки."},
    {"N54", "Сохранить программу обхода контура изображения, чтобы положить материал."},
    {"N55", "Сохранить программу тестовой сетки мощностей и скоростей для GRBL."},
    {"edtPowers", "Мощности S строк сетки: от:до:количество (до 20)."},
    {"edtFeeds", "Скорости столбцов сетки в мм\\мин: от:до:количество (до 20)."},
    {"edtCell", "Сторона квадрата сетки в мм, не меньше двух точек."},
    {"DotMethods1", "Другие способы перевести изображение в точки."},
    {"DotAtkinson1", "Точками по Аткинсону: контрастно, хорошо для дерева."},
    {"DotJarvis1", "Точками по Джарвису — Джудису — Нинке: мягкие переходы тонов."},
    {"DotStucki1", "Точками по Стуки: мягкие переходы тонов."},
    {"DotBurkes1", "Точками по Берксу."},
    {"DotSierra1", "Точками по Серра."},
    {"DotSierra21", "Точками по Серра в две строки."},
    {"DotSierraLite1", "Точками по Серра облегчённой: быстро и мелко."},
    {"DotBayer1", "Упорядоченный растр 8×8 (Байер)."},
    {"DotHalftone1", "Полутоновый растр: круглые точки растут из центров ячеек, как в газете."},
    {"edtCellsPerInch", "Число ячеек растра на дюйм, от 5 до 200: меньше — крупнее точки."},
    {"edtScreenAngle", "Поворот растра в градусах против часовой стрелки, обычно 45."},
    {"Serpentine1", "Методы с рассеянием ошибки проходят каждую вторую строку справа налево."},
    {"N57", "Подключиться к контроллеру GRBL по USB или по сети."},
    {"N58", "Отключиться от станка."},
    {"N59", "Сохранить программу изображения и прожечь ее на станке."},
    {"N59Classic", "Прожиг на станке только для GRBL: выберите «GRBL 1.1, лазерный режим»."},
    {"N60", "Прожечь на станке готовую программу *.nc."},
    {"N61", "Обвести контур изображения на станке, чтобы положить материал."},
    {"N61Classic", "Рамка на станке только для GRBL: выберите «GRBL 1.1, лазерный режим»."},
    {"N62", "Выход в нулевую точку по концевикам ($H)."},
    {"N63", "Снять блокировку после тревоги ($X)."},
    {"N64", "Принять текущее положение за ноль X и Y заготовки."},
    {"rbSerial", "Контроллер на USB-порту компьютера."},
    {"cmbPort", "Порт станка: выберите из списка или впишите имя устройства."},
    {"btnRefresh", "Найти порты заново (после подключения кабеля)."},
    {"cmbBaud", "Скорость порта в бодах: у GRBL 115200."},
    {"rbNetwork", "Контроллер в сети (grblHAL, FluidNC по Wi-Fi или Ethernet)."},
    {"edtAddress", "Адрес контроллера: tcp://ХОСТ[:ПОРТ], порт по умолчанию 23."},
    {"lblMachineState", "Состояние станка по его отчету."},
    {"lblMachinePos", "Положение в координатах заготовки, мм."},
    {"btnJogXMinus", "Переместить головку влево на шаг."},
    {"btnJogXPlus", "Переместить головку вправо на шаг."},
    {"btnJogYMinus", "Переместить головку вперед на шаг."},
    {"btnJogYPlus", "Переместить головку назад на шаг."},
    {"btnJogCancel", "Остановить перемещение."},
    {"cmbJogStep", "Шаг перемещения кнопками в мм."},
    {"edtJogFeed", "Скорость перемещения кнопками в мм\\мин."},
    {"prgJob", "Выполненная часть задания по времени."},
    {"btnPause", "Приостановить задание (лазер гаснет) или продолжить его."},
    {"btnStop", "Остановить задание: лазер гаснет, положение сохраняется."},
    {"btnFeedMinus", "Уменьшить скорость на 10 %."},
    {"btnFeed100", "Скорость как в программе."},
    {"btnFeedPlus", "Увеличить скорость на 10 %."},
    {"btnPowerMinus", "Уменьшить мощность лазера на 10 %."},
    {"btnPower100", "Мощность как в программе."},
    {"btnPowerPlus", "Увеличить мощность лазера на 10 %."},
    {"lblResumeRow", "Строка, с которой «Отправить на станок» продолжит прерванный прожиг."},
    {"SavePng1", "Сохранить изображение в формате PNG."},
    {"Recent1", "Открыть одно из пяти последних изображений."},
    {"ExifTurn1", "Ставить фотографии так, как их показывает камера (метка поворота EXIF)."},
    {"Undo1", "Отменить последнее изменение изображения."},
    {"Redo1", "Повторить отмененное изменение изображения."},
    {"About1", "Версия программы и лицензии библиотек."},
};

const std::array<const char*, 4> kClearingSurfaces = {"pnl1", "tlb1", "stat1", "pnlMachine"};

bool IsClearingSurface(const QObject* object) {
  for (const char* name : kClearingSurfaces)
    if (object->objectName() == QLatin1String(name)) return true;
  return false;
}

// Watches the hinted controls and the clearing surfaces of one window.
class HintWatcher : public QObject {
 public:
  HintWatcher(QWidget& form1, QStatusBar& stat1) : QObject(&form1), stat1_(stat1) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // Menu items and actions report their (empty) status tips to the window, which would clear
    // the text; only the pointer over the controls may change it.
    if (event->type() == QEvent::StatusTip && watched == parent()) {
      const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
      if (!tip.isEmpty()) Show(tip);  // the items that have one ("Другие методы")
      return true;
    }
    if (event->type() == QEvent::MouseMove && watched->isWidgetType())
      OnMouseMove(*static_cast<QWidget*>(watched), *static_cast<QMouseEvent*>(event));
    return QObject::eventFilter(watched, event);
  }

 private:
  void OnMouseMove(QWidget& widget, const QMouseEvent& event) {
    if (!IsClearingSurface(&widget) && &widget != &stat1_) {
      Show(HintFor(widget.objectName()));
      return;
    }
    // A move that a child did not take reaches the surface too; only the surface's own
    // background clears. A disabled field gets no moves of its own, so its hint is found here.
    QWidget* child = widget.childAt(event.position().toPoint());
    if (child == nullptr) {
      Show(QString());
    } else if (!child->isEnabled()) {
      const QString hint = HintFor(child->objectName());
      if (!hint.isEmpty()) Show(hint);
    }
  }

  void Show(const QString& text) {
    if (text.isEmpty()) {
      stat1_.clearMessage();
    } else if (stat1_.currentMessage() != text) {
      stat1_.showMessage(text);
    }
  }

  QStatusBar& stat1_;
};

void Watch(QWidget& widget, HintWatcher& watcher) {
  widget.setMouseTracking(true);
  widget.installEventFilter(&watcher);
}

}  // namespace

QString HintFor(const QString& objectName) {
  for (const Hint& hint : kHints)
    if (objectName == QLatin1String(hint.objectName)) return QString::fromUtf8(hint.text);
  return QString();
}

void InstallStatusHints(QWidget& form1, QStatusBar& stat1) {
  auto* watcher = new HintWatcher(form1, stat1);
  const QList<QWidget*> widgets = form1.findChildren<QWidget*>();
  for (QWidget* widget : widgets) {
    // The keypad is a child window with controls of the same names; it has no hints.
    if (widget->window() != &form1) continue;
    if (!HintFor(widget->objectName()).isEmpty() || IsClearingSurface(widget))
      Watch(*widget, *watcher);
  }
  Watch(stat1, *watcher);
  form1.installEventFilter(watcher);
}

}  // namespace skelda
