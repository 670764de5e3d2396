#include "ui/status_hints.h"

#include <QCoreApplication>
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
    {"btn9", QT_TRANSLATE_NOOP("Hints", "Вписать изображение по размеру окна.")},
    {"btn11", QT_TRANSLATE_NOOP("Hints", "Отобразить в масштабе 1:1.")},
    {"btn21",
     QT_TRANSLATE_NOOP("Hints", "Повернуть изображение на 90 градусов против часовой стрелки.")},
    {"btn19",
     QT_TRANSLATE_NOOP("Hints", "Повернуть изображение на 90 градусов по часовой стрелке.")},
    {"btn24", QT_TRANSLATE_NOOP("Hints", "Отзеркалить по вертикали.")},
    {"btn25", QT_TRANSLATE_NOOP("Hints", "Отзеркалить по горизонтали.")},
    {"btn17", QT_TRANSLATE_NOOP("Hints", "Оригинальное изображение.")},
    {"btn18", QT_TRANSLATE_NOOP("Hints", "Точками.")},
    {"btn22", QT_TRANSLATE_NOOP("Hints", "Черно-белое.")},
    {"btn20", QT_TRANSLATE_NOOP("Hints", "Инвертировать изображение.")},
    {"btn12", QT_TRANSLATE_NOOP("Hints", "Подтвердить изменения.")},
    {"btn8",
     QT_TRANSLATE_NOOP("Hints", "Сохранить управляющую программу в формате G-code *.nc (Tavrilo)")},
    {"btn7", QT_TRANSLATE_NOOP("Hints", "Открыть файл изображения (*.jpg/ *.bmp)")},
    {"edt1", QT_TRANSLATE_NOOP("Hints", "Размер одной точки в мм.")},
    {"edt4", QT_TRANSLATE_NOOP("Hints", "Размер точки в DPI (кол-во точек на дюйм)")},
    {"edt5", QT_TRANSLATE_NOOP("Hints", "Размер изображения в точках по оси X")},
    {"edt2", QT_TRANSLATE_NOOP("Hints", "Размер изображения в миллиметрах по оси X")},
    {"edt6", QT_TRANSLATE_NOOP("Hints", "Размер изображения в точках по оси Y")},
    {"edt3", QT_TRANSLATE_NOOP("Hints", "Размер изображения в миллиметрах по оси Y")},
    {"edt7", QT_TRANSLATE_NOOP(
                 "Hints",
                 "В точечном режиме этот параметр задает время прожига. В линейном, задержку перед "
                 "перемещением после включения лазера.")},
    {"edt8", QT_TRANSLATE_NOOP("Hints", "Скорость прожига в мм\\мин в линейном режиме.")},
    {"N51", QT_TRANSLATE_NOOP("Hints", "Программа для классического станка (G5, M40).")},
    {"N52",
     QT_TRANSLATE_NOOP("Hints", "Программа для контроллера GRBL 1.1 в лазерном режиме ($32=1).")},
    {"N53", QT_TRANSLATE_NOOP("Hints", "Мощность, перебег и направление прожига для GRBL.")},
    {"N56", QT_TRANSLATE_NOOP("Hints", "Показать, что прожжет программа, и время работы станка.")},
    {"edtMaxRate",
     QT_TRANSLATE_NOOP("Hints",
                       "Наибольшая скорость осей X и Y в мм\\мин (параметры $110, $111 в GRBL).")},
    {"edtAccel",
     QT_TRANSLATE_NOOP("Hints", "Ускорение осей X и Y в мм\\с² (параметры $120, $121 в GRBL).")},
    {"edtJunction",
     QT_TRANSLATE_NOOP("Hints", "Допустимое отклонение на углах в мм (параметр $11 в GRBL).")},
    {"edtPower", QT_TRANSLATE_NOOP("Hints", "Полная мощность лазера S (параметр $30 в GRBL).")},
    {"edtMinPower",
     QT_TRANSLATE_NOOP("Hints", "Мощность S для белого цвета при прожиге по яркости.")},
    {"edtOverscan", QT_TRANSLATE_NOOP("Hints", "Разгон и торможение за краями строки в мм.")},
    {"edtScanOffset",
     QT_TRANSLATE_NOOP("Hints",
                       "Сдвиг обратных проходов по X в мм (люфт ремня, задержка лазера).")},
    {"chkOneWay", QT_TRANSLATE_NOOP("Hints", "Все проходы слева направо, возврат холостым ходом.")},
    {"chkGrayscale",
     QT_TRANSLATE_NOOP("Hints",
                       "Мощность каждой точки по ее яркости, без перевода в черно-белое.")},
    {"edtLevels",
     QT_TRANSLATE_NOOP(
         "Hints",
         "Сколько разных мощностей при прожиге по яркости (2..256): меньше — короче программа.")},
    {"edtRapidGap",
     QT_TRANSLATE_NOOP(
         "Hints", "Белые промежутки строки длиннее этого в мм проходить холостым ходом; 0 — нет.")},
    {"edtBaud", QT_TRANSLATE_NOOP(
                    "Hints",
                    "Скорость порта контроллера в бодах для времени работы; подключение к станку "
                    "ставит сюда свою; 0 — не учитывать.")},
    {"edtGamma",
     QT_TRANSLATE_NOOP(
         "Hints",
         "Кривая мощности при прожиге по яркости (0.2..5): 1 — прямая, меньше — темнее полутона, "
         "больше — светлее.")},
    {"edtLineInterval",
     QT_TRANSLATE_NOOP(
         "Hints", "Расстояние между строками в мм (только GRBL); пусто — равно размеру точки.")},
    {"N54",
     QT_TRANSLATE_NOOP("Hints",
                       "Сохранить программу обхода контура изображения, чтобы положить материал.")},
    {"N55", QT_TRANSLATE_NOOP(
                "Hints", "Сохранить программу тестовой сетки мощностей и скоростей для GRBL.")},
    {"edtPowers", QT_TRANSLATE_NOOP("Hints", "Мощности S строк сетки: от:до:количество (до 20).")},
    {"edtFeeds",
     QT_TRANSLATE_NOOP("Hints", "Скорости столбцов сетки в мм\\мин: от:до:количество (до 20).")},
    {"edtCell", QT_TRANSLATE_NOOP("Hints", "Сторона квадрата сетки в мм, не меньше двух точек.")},
    {"DotMethods1", QT_TRANSLATE_NOOP("Hints", "Другие способы перевести изображение в точки.")},
    {"DotAtkinson1",
     QT_TRANSLATE_NOOP("Hints", "Точками по Аткинсону: контрастно, хорошо для дерева.")},
    {"DotJarvis1",
     QT_TRANSLATE_NOOP("Hints", "Точками по Джарвису — Джудису — Нинке: мягкие переходы тонов.")},
    {"DotStucki1", QT_TRANSLATE_NOOP("Hints", "Точками по Стуки: мягкие переходы тонов.")},
    {"DotBurkes1", QT_TRANSLATE_NOOP("Hints", "Точками по Берксу.")},
    {"DotSierra1", QT_TRANSLATE_NOOP("Hints", "Точками по Серра.")},
    {"DotSierra21", QT_TRANSLATE_NOOP("Hints", "Точками по Серра в две строки.")},
    {"DotSierraLite1", QT_TRANSLATE_NOOP("Hints", "Точками по Серра облегчённой: быстро и мелко.")},
    {"DotBayer1", QT_TRANSLATE_NOOP("Hints", "Упорядоченный растр 8×8 (Байер).")},
    {"DotHalftone1",
     QT_TRANSLATE_NOOP("Hints",
                       "Полутоновый растр: круглые точки растут из центров ячеек, как в газете.")},
    {"edtCellsPerInch",
     QT_TRANSLATE_NOOP("Hints",
                       "Число ячеек растра на дюйм, от 5 до 200: меньше — крупнее точки.")},
    {"edtScreenAngle",
     QT_TRANSLATE_NOOP("Hints", "Поворот растра в градусах против часовой стрелки, обычно 45.")},
    {"Serpentine1",
     QT_TRANSLATE_NOOP("Hints",
                       "Методы с рассеянием ошибки проходят каждую вторую строку справа налево.")},
    {"N57", QT_TRANSLATE_NOOP("Hints", "Подключиться к контроллеру GRBL по USB или по сети.")},
    {"N58", QT_TRANSLATE_NOOP("Hints", "Отключиться от станка.")},
    {"N59", QT_TRANSLATE_NOOP("Hints", "Сохранить программу изображения и прожечь ее на станке.")},
    {"N59Classic",
     QT_TRANSLATE_NOOP("Hints",
                       "Прожиг на станке только для GRBL: выберите «GRBL 1.1, лазерный режим».")},
    {"N60", QT_TRANSLATE_NOOP("Hints", "Прожечь на станке готовую программу *.nc.")},
    {"N61",
     QT_TRANSLATE_NOOP("Hints", "Обвести контур изображения на станке, чтобы положить материал.")},
    {"N61Classic",
     QT_TRANSLATE_NOOP("Hints",
                       "Рамка на станке только для GRBL: выберите «GRBL 1.1, лазерный режим».")},
    {"N62", QT_TRANSLATE_NOOP("Hints", "Выход в нулевую точку по концевикам ($H).")},
    {"N63", QT_TRANSLATE_NOOP("Hints", "Снять блокировку после тревоги ($X).")},
    {"N64", QT_TRANSLATE_NOOP("Hints", "Принять текущее положение за ноль X и Y заготовки.")},
    {"rbSerial", QT_TRANSLATE_NOOP("Hints", "Контроллер на USB-порту компьютера.")},
    {"cmbPort",
     QT_TRANSLATE_NOOP("Hints", "Порт станка: выберите из списка или впишите имя устройства.")},
    {"btnRefresh", QT_TRANSLATE_NOOP("Hints", "Найти порты заново (после подключения кабеля).")},
    {"cmbBaud", QT_TRANSLATE_NOOP("Hints", "Скорость порта в бодах: у GRBL 115200.")},
    {"rbNetwork",
     QT_TRANSLATE_NOOP("Hints", "Контроллер в сети (grblHAL, FluidNC по Wi-Fi или Ethernet).")},
    {"edtAddress",
     QT_TRANSLATE_NOOP("Hints", "Адрес контроллера: tcp://ХОСТ[:ПОРТ], порт по умолчанию 23.")},
    {"lblMachineState", QT_TRANSLATE_NOOP("Hints", "Состояние станка по его отчету.")},
    {"lblMachinePos", QT_TRANSLATE_NOOP("Hints", "Положение в координатах заготовки, мм.")},
    {"btnJogXMinus", QT_TRANSLATE_NOOP("Hints", "Переместить головку влево на шаг.")},
    {"btnJogXPlus", QT_TRANSLATE_NOOP("Hints", "Переместить головку вправо на шаг.")},
    {"btnJogYMinus", QT_TRANSLATE_NOOP("Hints", "Переместить головку вперед на шаг.")},
    {"btnJogYPlus", QT_TRANSLATE_NOOP("Hints", "Переместить головку назад на шаг.")},
    {"btnJogCancel", QT_TRANSLATE_NOOP("Hints", "Остановить перемещение.")},
    {"cmbJogStep", QT_TRANSLATE_NOOP("Hints", "Шаг перемещения кнопками в мм.")},
    {"edtJogFeed", QT_TRANSLATE_NOOP("Hints", "Скорость перемещения кнопками в мм\\мин.")},
    {"prgJob", QT_TRANSLATE_NOOP("Hints", "Выполненная часть задания по времени.")},
    {"btnPause",
     QT_TRANSLATE_NOOP("Hints", "Приостановить задание (лазер гаснет) или продолжить его.")},
    {"btnStop",
     QT_TRANSLATE_NOOP("Hints", "Остановить задание: лазер гаснет, положение сохраняется.")},
    {"btnFeedMinus", QT_TRANSLATE_NOOP("Hints", "Уменьшить скорость на 10 %.")},
    {"btnFeed100", QT_TRANSLATE_NOOP("Hints", "Скорость как в программе.")},
    {"btnFeedPlus", QT_TRANSLATE_NOOP("Hints", "Увеличить скорость на 10 %.")},
    {"btnPowerMinus", QT_TRANSLATE_NOOP("Hints", "Уменьшить мощность лазера на 10 %.")},
    {"btnPower100", QT_TRANSLATE_NOOP("Hints", "Мощность как в программе.")},
    {"btnPowerPlus", QT_TRANSLATE_NOOP("Hints", "Увеличить мощность лазера на 10 %.")},
    {"lblResumeRow",
     QT_TRANSLATE_NOOP("Hints",
                       "Строка, с которой «Отправить на станок» продолжит прерванный прожиг.")},
    {"SavePng1", QT_TRANSLATE_NOOP("Hints", "Сохранить изображение в формате PNG.")},
    {"Recent1", QT_TRANSLATE_NOOP("Hints", "Открыть одно из пяти последних изображений.")},
    {"ExifTurn1",
     QT_TRANSLATE_NOOP("Hints",
                       "Ставить фотографии так, как их показывает камера (метка поворота EXIF).")},
    {"Undo1", QT_TRANSLATE_NOOP("Hints", "Отменить последнее изменение изображения.")},
    {"Redo1", QT_TRANSLATE_NOOP("Hints", "Повторить отмененное изменение изображения.")},
    {"About1", QT_TRANSLATE_NOOP("Hints", "Версия программы и лицензии библиотек.")},
    {"Language1", QT_TRANSLATE_NOOP("Hints", "Язык окна программы: русский или английский.")},
    {"LanguageRu1", QT_TRANSLATE_NOOP("Hints", "Показывать окно программы на русском языке.")},
    {"LanguageEn1", QT_TRANSLATE_NOOP("Hints", "Показывать окно программы на английском языке.")},
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
    if (objectName == QLatin1String(hint.objectName))
      return QCoreApplication::translate("Hints", hint.text);
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
