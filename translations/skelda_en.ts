<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Commands</name>
    <message>
        <source>Загрузить изображение</source>
        <translation>Load picture</translation>
    </message>
    <message>
        <source>Сохранить изображение (*.bmp)</source>
        <translation>Save picture (*.bmp)</translation>
    </message>
    <message>
        <source>Сохранить изображение (*.png)</source>
        <translation>Save picture (*.png)</translation>
    </message>
    <message>
        <source>Создать и сохранить (*.nc)</source>
        <translation>Create and save (*.nc)</translation>
    </message>
    <message>
        <source>Поворачивать по EXIF</source>
        <translation>Turn by EXIF</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Отразить по горизонтали</source>
        <translation>Mirror horizontally</translation>
    </message>
    <message>
        <source>Отразить по вертикали</source>
        <translation>Mirror vertically</translation>
    </message>
    <message>
        <source>Повернуть на 90 град.</source>
        <translation>Rotate by 90°</translation>
    </message>
    <message>
        <source>Инвертировать</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>Оригинал</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Точечный Floyd-Steinberg</source>
        <translation>Dots Floyd-Steinberg</translation>
    </message>
    <message>
        <source>Точками</source>
        <translation>Dots</translation>
    </message>
    <message>
        <source>Точечный мутно</source>
        <translation>Dots, blurred</translation>
    </message>
    <message>
        <source>Точечный разброс</source>
        <translation>Dots, scattered</translation>
    </message>
    <message>
        <source>Крестик 1</source>
        <translation>Cross 1</translation>
    </message>
    <message>
        <source>Крестик 2</source>
        <translation>Cross 2</translation>
    </message>
    <message>
        <source>Крестик 3</source>
        <translation>Cross 3</translation>
    </message>
    <message>
        <source>Крестик 4</source>
        <translation>Cross 4</translation>
    </message>
    <message>
        <source>Слабый разброс</source>
        <translation>Slight scatter</translation>
    </message>
    <message>
        <source>Мутное стекло</source>
        <translation>Frosted glass</translation>
    </message>
    <message>
        <source>Мозайка</source>
        <translation>Mosaic</translation>
    </message>
    <message>
        <source>Черно-белое</source>
        <translation>Black/white</translation>
    </message>
    <message>
        <source>Аткинсон</source>
        <translation>Atkinson</translation>
    </message>
    <message>
        <source>Джарвис — Джудис — Нинке</source>
        <translation>Jarvis — Judice — Ninke</translation>
    </message>
    <message>
        <source>Стуки</source>
        <translation>Stucki</translation>
    </message>
    <message>
        <source>Беркс</source>
        <translation>Burkes</translation>
    </message>
    <message>
        <source>Серра</source>
        <translation>Sierra</translation>
    </message>
    <message>
        <source>Серра, две строки</source>
        <translation>Sierra, two rows</translation>
    </message>
    <message>
        <source>Серра облегчённая</source>
        <translation>Sierra Lite</translation>
    </message>
    <message>
        <source>Упорядоченный 8×8</source>
        <translation>Ordered 8×8</translation>
    </message>
    <message>
        <source>Полутоновый растр…</source>
        <translation>Halftone screen…</translation>
    </message>
    <message>
        <source>Змейкой</source>
        <translation>Serpentine</translation>
    </message>
    <message>
        <source>Классический (G5, M40)</source>
        <translation>Classic (G5, M40)</translation>
    </message>
    <message>
        <source>GRBL 1.1, лазерный режим</source>
        <translation>GRBL 1.1, laser mode</translation>
    </message>
    <message>
        <source>Параметры станка…</source>
        <translation>Machine settings…</translation>
    </message>
    <message>
        <source>Просмотр прожига</source>
        <translation>Burn preview</translation>
    </message>
    <message>
        <source>Рамка…</source>
        <translation>Frame…</translation>
    </message>
    <message>
        <source>Тестовая сетка…</source>
        <translation>Test grid…</translation>
    </message>
    <message>
        <source>Подключить…</source>
        <translation>Connect…</translation>
    </message>
    <message>
        <source>Отключить</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Отправить на станок</source>
        <translation>Send to machine</translation>
    </message>
    <message>
        <source>Отправить файл…</source>
        <translation>Send file…</translation>
    </message>
    <message>
        <source>Рамка на станке</source>
        <translation>Frame on machine</translation>
    </message>
    <message>
        <source>Домой ($H)</source>
        <translation>Home ($H)</translation>
    </message>
    <message>
        <source>Разблокировать ($X)</source>
        <translation>Unlock ($X)</translation>
    </message>
    <message>
        <source>Ноль здесь</source>
        <translation>Zero here</translation>
    </message>
    <message>
        <source>Пауза</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
</context>
<context>
    <name>Hints</name>
    <message>
        <source>Вписать изображение по размеру окна.</source>
        <translation>Fit the picture to the window.</translation>
    </message>
    <message>
        <source>Отобразить в масштабе 1:1.</source>
        <translation>Show at 1:1 scale.</translation>
    </message>
    <message>
        <source>Повернуть изображение на 90 градусов против часовой стрелки.</source>
        <translation>Rotate the picture by 90 degrees counterclockwise.</translation>
    </message>
    <message>
        <source>Повернуть изображение на 90 градусов по часовой стрелке.</source>
        <translation>Rotate the picture by 90 degrees clockwise.</translation>
    </message>
    <message>
        <source>Отзеркалить по вертикали.</source>
        <translation>Mirror vertically.</translation>
    </message>
    <message>
        <source>Отзеркалить по горизонтали.</source>
        <translation>Mirror horizontally.</translation>
    </message>
    <message>
        <source>Оригинальное изображение.</source>
        <translation>The original picture.</translation>
    </message>
    <message>
        <source>Точками.</source>
        <translation>In dots.</translation>
    </message>
    <message>
        <source>Черно-белое.</source>
        <translation>Black and white.</translation>
    </message>
    <message>
        <source>Инвертировать изображение.</source>
        <translation>Invert the picture.</translation>
    </message>
    <message>
        <source>Подтвердить изменения.</source>
        <translation>Confirm the changes.</translation>
    </message>
    <message>
        <source>Сохранить управляющую программу в формате G-code *.nc (Tavrilo)</source>
        <translation>Save the machine program as G-code *.nc (Tavrilo)</translation>
    </message>
    <message>
        <source>Открыть файл изображения (*.jpg/ *.bmp)</source>
        <translation>Open a picture file (*.jpg/ *.bmp)</translation>
    </message>
    <message>
        <source>Размер одной точки в мм.</source>
        <translation>The size of one dot in mm.</translation>
    </message>
    <message>
        <source>Размер точки в DPI (кол-во точек на дюйм)</source>
        <translation>The dot size in DPI (dots per inch)</translation>
    </message>
    <message>
        <source>Размер изображения в точках по оси X</source>
        <translation>The picture size in dots along X</translation>
    </message>
    <message>
        <source>Размер изображения в миллиметрах по оси X</source>
        <translation>The picture size in millimetres along X</translation>
    </message>
    <message>
        <source>Размер изображения в точках по оси Y</source>
        <translation>The picture size in dots along Y</translation>
    </message>
    <message>
        <source>Размер изображения в миллиметрах по оси Y</source>
        <translation>The picture size in millimetres along Y</translation>
    </message>
    <message>
        <source>В точечном режиме этот параметр задает время прожига. В линейном, задержку перед перемещением после включения лазера.</source>
        <translation>In dot mode this is the burn time. In line mode, the delay before moving after the laser is switched on.</translation>
    </message>
    <message>
        <source>Скорость прожига в мм\мин в линейном режиме.</source>
        <translation>The burn feed in mm\min in line mode.</translation>
    </message>
    <message>
        <source>Программа для классического станка (G5, M40).</source>
        <translation>A program for the classic machine (G5, M40).</translation>
    </message>
    <message>
        <source>Программа для контроллера GRBL 1.1 в лазерном режиме ($32=1).</source>
        <translation>A program for a GRBL 1.1 controller in laser mode ($32=1).</translation>
    </message>
    <message>
        <source>Мощность, перебег и направление прожига для GRBL.</source>
        <translation>Power, overscan and burn direction for GRBL.</translation>
    </message>
    <message>
        <source>Показать, что прожжет программа, и время работы станка.</source>
        <translation>Show what the program will burn and how long the machine will work.</translation>
    </message>
    <message>
        <source>Наибольшая скорость осей X и Y в мм\мин (параметры $110, $111 в GRBL).</source>
        <translation>The highest rate of the X and Y axes in mm\min (settings $110, $111 in GRBL).</translation>
    </message>
    <message>
        <source>Ускорение осей X и Y в мм\с² (параметры $120, $121 в GRBL).</source>
        <translation>The acceleration of the X and Y axes in mm\s² (settings $120, $121 in GRBL).</translation>
    </message>
    <message>
        <source>Допустимое отклонение на углах в мм (параметр $11 в GRBL).</source>
        <translation>The junction deviation allowed at corners in mm (setting $11 in GRBL).</translation>
    </message>
    <message>
        <source>Полная мощность лазера S (параметр $30 в GRBL).</source>
        <translation>The full laser power S (setting $30 in GRBL).</translation>
    </message>
    <message>
        <source>Мощность S для белого цвета при прожиге по яркости.</source>
        <translation>The power S for white when burning by brightness.</translation>
    </message>
    <message>
        <source>Разгон и торможение за краями строки в мм.</source>
        <translation>Acceleration and braking beyond the row ends in mm.</translation>
    </message>
    <message>
        <source>Сдвиг обратных проходов по X в мм (люфт ремня, задержка лазера).</source>
        <translation>The X shift of the backward passes in mm (belt backlash, laser delay).</translation>
    </message>
    <message>
        <source>Все проходы слева направо, возврат холостым ходом.</source>
        <translation>Every pass from left to right, returning at rapid.</translation>
    </message>
    <message>
        <source>Мощность каждой точки по ее яркости, без перевода в черно-белое.</source>
        <translation>The power of each dot by its brightness, without turning it black and white.</translation>
    </message>
    <message>
        <source>Сколько разных мощностей при прожиге по яркости (2..256): меньше — короче программа.</source>
        <translation>How many different powers when burning by brightness (2..256): fewer give a shorter program.</translation>
    </message>
    <message>
        <source>Белые промежутки строки длиннее этого в мм проходить холостым ходом; 0 — нет.</source>
        <translation>White gaps in a row longer than this in mm are crossed at rapid; 0: never.</translation>
    </message>
    <message>
        <source>Скорость порта контроллера в бодах для времени работы; подключение к станку ставит сюда свою; 0 — не учитывать.</source>
        <translation>The controller port speed in baud for the job time; connecting to the machine sets its own here; 0: leave it out.</translation>
    </message>
    <message>
        <source>Кривая мощности при прожиге по яркости (0.2..5): 1 — прямая, меньше — темнее полутона, больше — светлее.</source>
        <translation>The power curve when burning by brightness (0.2..5): 1 is straight, less darkens the mid-tones, more lightens them.</translation>
    </message>
    <message>
        <source>Расстояние между строками в мм (только GRBL); пусто — равно размеру точки.</source>
        <translation>The distance between rows in mm (GRBL only); empty: the dot size.</translation>
    </message>
    <message>
        <source>Сохранить программу обхода контура изображения, чтобы положить материал.</source>
        <translation>Save a program that traces the outline of the picture, for placing the material.</translation>
    </message>
    <message>
        <source>Сохранить программу тестовой сетки мощностей и скоростей для GRBL.</source>
        <translation>Save a test grid program of powers and feeds for GRBL.</translation>
    </message>
    <message>
        <source>Мощности S строк сетки: от:до:количество (до 20).</source>
        <translation>The powers S of the grid rows: from:to:count (up to 20).</translation>
    </message>
    <message>
        <source>Скорости столбцов сетки в мм\мин: от:до:количество (до 20).</source>
        <translation>The feeds of the grid columns in mm\min: from:to:count (up to 20).</translation>
    </message>
    <message>
        <source>Сторона квадрата сетки в мм, не меньше двух точек.</source>
        <translation>The side of a grid square in mm, at least two dots.</translation>
    </message>
    <message>
        <source>Другие способы перевести изображение в точки.</source>
        <translation>Other ways of turning the picture into dots.</translation>
    </message>
    <message>
        <source>Точками по Аткинсону: контрастно, хорошо для дерева.</source>
        <translation>Dots by Atkinson: contrasty, good for wood.</translation>
    </message>
    <message>
        <source>Точками по Джарвису — Джудису — Нинке: мягкие переходы тонов.</source>
        <translation>Dots by Jarvis — Judice — Ninke: soft tone transitions.</translation>
    </message>
    <message>
        <source>Точками по Стуки: мягкие переходы тонов.</source>
        <translation>Dots by Stucki: soft tone transitions.</translation>
    </message>
    <message>
        <source>Точками по Берксу.</source>
        <translation>Dots by Burkes.</translation>
    </message>
    <message>
        <source>Точками по Серра.</source>
        <translation>Dots by Sierra.</translation>
    </message>
    <message>
        <source>Точками по Серра в две строки.</source>
        <translation>Dots by two-row Sierra.</translation>
    </message>
    <message>
        <source>Точками по Серра облегчённой: быстро и мелко.</source>
        <translation>Dots by Sierra Lite: fast and fine.</translation>
    </message>
    <message>
        <source>Упорядоченный растр 8×8 (Байер).</source>
        <translation>Ordered 8×8 screen (Bayer).</translation>
    </message>
    <message>
        <source>Полутоновый растр: круглые точки растут из центров ячеек, как в газете.</source>
        <translation>Halftone screen: round dots grow from the cell centres, as in a newspaper.</translation>
    </message>
    <message>
        <source>Число ячеек растра на дюйм, от 5 до 200: меньше — крупнее точки.</source>
        <translation>Screen cells per inch, 5 to 200: fewer give larger dots.</translation>
    </message>
    <message>
        <source>Поворот растра в градусах против часовой стрелки, обычно 45.</source>
        <translation>The screen angle in degrees counterclockwise, usually 45.</translation>
    </message>
    <message>
        <source>Методы с рассеянием ошибки проходят каждую вторую строку справа налево.</source>
        <translation>The error diffusion methods go through every second row from right to left.</translation>
    </message>
    <message>
        <source>Подключиться к контроллеру GRBL по USB или по сети.</source>
        <translation>Connect to a GRBL controller over USB or the network.</translation>
    </message>
    <message>
        <source>Отключиться от станка.</source>
        <translation>Disconnect from the machine.</translation>
    </message>
    <message>
        <source>Сохранить программу изображения и прожечь ее на станке.</source>
        <translation>Save the picture program and burn it on the machine.</translation>
    </message>
    <message>
        <source>Прожиг на станке только для GRBL: выберите «GRBL 1.1, лазерный режим».</source>
        <translation>Burning on the machine is for GRBL only: choose “GRBL 1.1, laser mode”.</translation>
    </message>
    <message>
        <source>Прожечь на станке готовую программу *.nc.</source>
        <translation>Burn a ready program *.nc on the machine.</translation>
    </message>
    <message>
        <source>Обвести контур изображения на станке, чтобы положить материал.</source>
        <translation>Trace the outline of the picture on the machine, for placing the material.</translation>
    </message>
    <message>
        <source>Рамка на станке только для GRBL: выберите «GRBL 1.1, лазерный режим».</source>
        <translation>The frame on the machine is for GRBL only: choose “GRBL 1.1, laser mode”.</translation>
    </message>
    <message>
        <source>Выход в нулевую точку по концевикам ($H).</source>
        <translation>Go to the home position by the limit switches ($H).</translation>
    </message>
    <message>
        <source>Снять блокировку после тревоги ($X).</source>
        <translation>Clear the lock after an alarm ($X).</translation>
    </message>
    <message>
        <source>Принять текущее положение за ноль X и Y заготовки.</source>
        <translation>Take the current position as the work zero of X and Y.</translation>
    </message>
    <message>
        <source>Контроллер на USB-порту компьютера.</source>
        <translation>A controller on a USB port of the computer.</translation>
    </message>
    <message>
        <source>Порт станка: выберите из списка или впишите имя устройства.</source>
        <translation>The machine port: choose it from the list or type the device name.</translation>
    </message>
    <message>
        <source>Найти порты заново (после подключения кабеля).</source>
        <translation>Look for the ports again (after plugging in the cable).</translation>
    </message>
    <message>
        <source>Скорость порта в бодах: у GRBL 115200.</source>
        <translation>The port speed in baud: 115200 for GRBL.</translation>
    </message>
    <message>
        <source>Контроллер в сети (grblHAL, FluidNC по Wi-Fi или Ethernet).</source>
        <translation>A controller on the network (grblHAL, FluidNC over Wi-Fi or Ethernet).</translation>
    </message>
    <message>
        <source>Адрес контроллера: tcp://ХОСТ[:ПОРТ], порт по умолчанию 23.</source>
        <translation>The controller address: tcp://HOST[:PORT], port 23 by default.</translation>
    </message>
    <message>
        <source>Состояние станка по его отчету.</source>
        <translation>The machine state from its report.</translation>
    </message>
    <message>
        <source>Положение в координатах заготовки, мм.</source>
        <translation>The position in work coordinates, mm.</translation>
    </message>
    <message>
        <source>Переместить головку влево на шаг.</source>
        <translation>Move the head one step left.</translation>
    </message>
    <message>
        <source>Переместить головку вправо на шаг.</source>
        <translation>Move the head one step right.</translation>
    </message>
    <message>
        <source>Переместить головку вперед на шаг.</source>
        <translation>Move the head one step forward.</translation>
    </message>
    <message>
        <source>Переместить головку назад на шаг.</source>
        <translation>Move the head one step back.</translation>
    </message>
    <message>
        <source>Остановить перемещение.</source>
        <translation>Stop the move.</translation>
    </message>
    <message>
        <source>Шаг перемещения кнопками в мм.</source>
        <translation>The step of the jog buttons in mm.</translation>
    </message>
    <message>
        <source>Скорость перемещения кнопками в мм\мин.</source>
        <translation>The feed of the jog buttons in mm\min.</translation>
    </message>
    <message>
        <source>Выполненная часть задания по времени.</source>
        <translation>The part of the job done, by time.</translation>
    </message>
    <message>
        <source>Приостановить задание (лазер гаснет) или продолжить его.</source>
        <translation>Pause the job (the laser goes off) or resume it.</translation>
    </message>
    <message>
        <source>Остановить задание: лазер гаснет, положение сохраняется.</source>
        <translation>Stop the job: the laser goes off, the position is kept.</translation>
    </message>
    <message>
        <source>Уменьшить скорость на 10 %.</source>
        <translation>Lower the feed by 10 %.</translation>
    </message>
    <message>
        <source>Скорость как в программе.</source>
        <translation>The feed as in the program.</translation>
    </message>
    <message>
        <source>Увеличить скорость на 10 %.</source>
        <translation>Raise the feed by 10 %.</translation>
    </message>
    <message>
        <source>Уменьшить мощность лазера на 10 %.</source>
        <translation>Lower the laser power by 10 %.</translation>
    </message>
    <message>
        <source>Мощность как в программе.</source>
        <translation>The power as in the program.</translation>
    </message>
    <message>
        <source>Увеличить мощность лазера на 10 %.</source>
        <translation>Raise the laser power by 10 %.</translation>
    </message>
    <message>
        <source>Строка, с которой «Отправить на станок» продолжит прерванный прожиг.</source>
        <translation>The row from which “Send to machine” resumes the interrupted burn.</translation>
    </message>
    <message>
        <source>Сохранить изображение в формате PNG.</source>
        <translation>Save the picture in PNG format.</translation>
    </message>
    <message>
        <source>Открыть одно из пяти последних изображений.</source>
        <translation>Open one of the last five pictures.</translation>
    </message>
    <message>
        <source>Ставить фотографии так, как их показывает камера (метка поворота EXIF).</source>
        <translation>Turn photos the way the camera shows them (the EXIF orientation tag).</translation>
    </message>
    <message>
        <source>Отменить последнее изменение изображения.</source>
        <translation>Undo the last change of the picture.</translation>
    </message>
    <message>
        <source>Повторить отмененное изменение изображения.</source>
        <translation>Redo the change of the picture that was undone.</translation>
    </message>
    <message>
        <source>Версия программы и лицензии библиотек.</source>
        <translation>The program version and the licences of the libraries.</translation>
    </message>
    <message>
        <source>Язык окна программы: русский или английский.</source>
        <translation>The language of the program window: Russian or English.</translation>
    </message>
    <message>
        <source>Показывать окно программы на русском языке.</source>
        <translation>Show the program window in Russian.</translation>
    </message>
    <message>
        <source>Показывать окно программы на английском языке.</source>
        <translation>Show the program window in English.</translation>
    </message>
</context>
<context>
    <name>MachineTexts</name>
    <message>
        <source>порт %1 не найден. Проверьте, что станок включен и подключен к компьютеру.</source>
        <translation>port %1 was not found. Check that the machine is on and connected to the computer.</translation>
    </message>
    <message>
        <source>порт %1 занят другой программой. Закройте ее и подключитесь снова.</source>
        <translation>port %1 is in use by another program. Close it and connect again.</translation>
    </message>
    <message>
        <source>нет доступа к порту %1. Добавьте пользователя в группу dialout (sudo usermod -aG dialout $USER) и войдите в систему снова.</source>
        <translation>no access to port %1. Add the user to the dialout group (sudo usermod -aG dialout $USER) and log in again.</translation>
    </message>
    <message>
        <source>%1 — не последовательный порт.</source>
        <translation>%1 is not a serial port.</translation>
    </message>
    <message>
        <source>порт %1 не работает на скорости %2 бод.</source>
        <translation>port %1 does not work at %2 baud.</translation>
    </message>
    <message>
        <source>порт %1 не принимает 8N1 на скорости %2 бод.</source>
        <translation>port %1 does not accept 8N1 at %2 baud.</translation>
    </message>
    <message>
        <source>порт %1 не открывается (%2).</source>
        <translation>port %1 cannot be opened (%2).</translation>
    </message>
    <message>
        <source>в адресе %1 «%2» — не номер порта.</source>
        <translation>in the address %1, “%2” is not a port number.</translation>
    </message>
    <message>
        <source>в адресе %1 не указан узел сети.</source>
        <translation>the address %1 names no host.</translation>
    </message>
    <message>
        <source>узел сети %1 не найден (%2). Проверьте адрес.</source>
        <translation>host %1 was not found (%2). Check the address.</translation>
    </message>
    <message>
        <source>%1 отказал в соединении. Проверьте адрес и номер порта.</source>
        <translation>%1 refused the connection. Check the address and the port number.</translation>
    </message>
    <message>
        <source>%1 не ответил за 5 секунд. Проверьте, что станок включен и в сети.</source>
        <translation>%1 did not answer within 5 seconds. Check that the machine is on and on the network.</translation>
    </message>
    <message>
        <source>%1 недоступен по сети.</source>
        <translation>%1 cannot be reached over the network.</translation>
    </message>
    <message>
        <source>нет соединения с %1 (%2).</source>
        <translation>no connection to %1 (%2).</translation>
    </message>
    <message>
        <source>на %1 не ответил контроллер GRBL, даже после сброса. Проверьте порт и скорость.</source>
        <translation>no GRBL controller answered on %1, even after a reset. Check the port and the speed.</translation>
    </message>
    <message>
        <source>контроллер на %1 не ответил на %2.</source>
        <translation>the controller on %1 did not answer %2.</translation>
    </message>
    <message>
        <source>контроллер на %1 не прислал свое состояние.</source>
        <translation>the controller on %1 sent no status report.</translation>
    </message>
    <message>
        <source>связь с %1 прервалась при подключении (%2).</source>
        <translation>the link to %1 broke while connecting (%2).</translation>
    </message>
    <message>
        <source>Станок не подключен: %1</source>
        <translation>The machine is not connected: %1</translation>
    </message>
    <message>
        <source>Подготовка задания…</source>
        <translation>Preparing the job…</translation>
    </message>
    <message>
        <source>Станок в состоянии тревоги: сначала найдите ноль («Домой ($H)») или разблокируйте его («Разблокировать ($X)») и проверьте положение станка.</source>
        <translation>The machine is in alarm: first home it (“Home ($H)”) or unlock it (“Unlock ($X)”) and check its position.</translation>
    </message>
    <message>
        <source>Лазерный режим выключен ($32=0), а программа жжет командами M3/M4 и S: станок будет останавливаться на каждой смене мощности и прожигать пятна. Включите лазерный режим: $32=1.</source>
        <translation>Laser mode is off ($32=0) and the program burns with M3/M4 and S: the machine would stop at every power change and burn spots. Turn laser mode on: $32=1.</translation>
    </message>
    <message>
        <source>Наибольшая мощность программы S%1 выше предела контроллера %2: она будет урезана, и оттенки пропадут. Запишите программу для S%3 или установите $30=%1.</source>
        <translation>The program&apos;s highest power S%1 is above the controller&apos;s limit %2: it would be cut and the shades lost. Write the program for S%3 or set $30=%1.</translation>
    </message>
    <message>
        <source>Программа занимает %1 мм по %2, больше хода станка %3 мм: уменьшите картинку.</source>
        <translation>The program spans %1 mm in %2, more than the machine&apos;s travel of %3 mm: make the picture smaller.</translation>
    </message>
    <message>
        <source>При мягких границах ($20=1) задание выйдет за ход станка по %1: оно доходит от %1%2 до %1%3 мм в координатах станка, а станок ходит от %4 до 0 (%5). Сдвиньте рабочий ноль.</source>
        <translation>With soft limits on ($20=1) the job would leave the machine&apos;s travel in %1: it reaches from %1%2 to %1%3 mm in machine coordinates, and the machine travels from %4 to 0 (%5). Move the work zero.</translation>
    </message>
    <message>
        <source>Строка %1 длиной %2 знаков с концом строки длиннее %3, которые читает контроллер: сократите ее (меньше цифр, без пробелов).</source>
        <translation>Line %1, %2 characters with its line end, is longer than the %3 the controller reads: shorten it (fewer digits, no spaces).</translation>
    </message>
</context>
<context>
    <name>Window</name>
    <message>
        <source>IJG, BSD (3 пункта), zlib</source>
        <translation>IJG, BSD (3-clause), zlib</translation>
    </message>
    <message>
        <source>%1
Версия %2 (%3)

Библиотеки и их лицензии:</source>
        <translation>%1
Version %2 (%3)

Libraries and their licences:</translation>
    </message>
    <message>
        <source>Изображения (*.jpg *.jpeg *.png *.bmp *.gif *.webp *.tif *.tiff);;Все файлы (*)</source>
        <translation>Pictures (*.jpg *.jpeg *.png *.bmp *.gif *.webp *.tif *.tiff);;All files (*)</translation>
    </message>
    <message>
        <source>Изображение PNG (*.png)</source>
        <translation>PNG picture (*.png)</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Шаг, мм:</source>
        <translation>Step, mm:</translation>
    </message>
    <message>
        <source>F, мм/мин:</source>
        <translation>F, mm/min:</translation>
    </message>
    <message>
        <source>Задание</source>
        <translation>Job</translation>
    </message>
    <message>
        <source>Ожидание</source>
        <translation>Idle</translation>
    </message>
    <message>
        <source>Работа</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Пауза</source>
        <translation>Hold</translation>
    </message>
    <message>
        <source>Перемещение</source>
        <translation>Jog</translation>
    </message>
    <message>
        <source>Тревога</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Дверь</source>
        <translation>Door</translation>
    </message>
    <message>
        <source>Проверка</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Поиск нуля</source>
        <translation>Homing</translation>
    </message>
    <message>
        <source>Сон</source>
        <translation>Sleep</translation>
    </message>
    <message>
        <source>Черно-белое</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>Резкость</source>
        <translation>Sharpness</translation>
    </message>
    <message>
        <source>Яркость</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>Контрастность</source>
        <translation>Contrast</translation>
    </message>
    <message>
        <source>Последние файлы</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>Размер точки</source>
        <translation>Dot size</translation>
    </message>
    <message>
        <source>        мм.       dpi</source>
        <translation>        mm.       dpi</translation>
    </message>
    <message>
        <source>Размер по X</source>
        <translation>Size in X</translation>
    </message>
    <message>
        <source>Размер по Y</source>
        <translation>Size in Y</translation>
    </message>
    <message>
        <source> пикс.    мм.</source>
        <translation> px.    mm.</translation>
    </message>
    <message>
        <source>Время прожига</source>
        <translation>Burn time</translation>
    </message>
    <message>
        <source>мс.</source>
        <translation>ms.</translation>
    </message>
    <message>
        <source>Лин.\Точки</source>
        <translation>Lines\Dots</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Редактировать</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Эффекты</source>
        <translation>Effects</translation>
    </message>
    <message>
        <source>Другие методы</source>
        <translation>Other methods</translation>
    </message>
    <message>
        <source>Станок</source>
        <translation>Machine</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>skelda::ConnectDialog</name>
    <message>
        <source>Скорость %1 бод вне пределов от 9600 до 250000</source>
        <translation>The speed %1 baud is outside 9600 to 250000</translation>
    </message>
    <message>
        <source>Сетевой адрес станка пишется так: tcp://ХОСТ[:ПОРТ], например tcp://192.168.1.50:23</source>
        <translation>The machine network address is written as tcp://HOST[:PORT], for example tcp://192.168.1.50:23</translation>
    </message>
    <message>
        <source>Подключить станок</source>
        <translation>Connect the machine</translation>
    </message>
    <message>
        <source>Порт USB (последовательный)</source>
        <translation>USB port (serial)</translation>
    </message>
    <message>
        <source>Сеть (grblHAL, FluidNC)</source>
        <translation>Network (grblHAL, FluidNC)</translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Порт:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Скорость, бод:</source>
        <translation>Speed, baud:</translation>
    </message>
    <message>
        <source>Адрес:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>Выберите порт станка или впишите его имя</source>
        <translation>Choose the machine port or type its name</translation>
    </message>
</context>
<context>
    <name>skelda::FieldsDialog</name>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>skelda::HalftoneDialog</name>
    <message>
        <source>Полутоновый растр</source>
        <translation>Halftone screen</translation>
    </message>
    <message>
        <source>Ячеек на дюйм (5–200):</source>
        <translation>Cells per inch (5–200):</translation>
    </message>
    <message>
        <source>Угол растра, градусы:</source>
        <translation>Screen angle, degrees:</translation>
    </message>
</context>
<context>
    <name>skelda::MachineDialog</name>
    <message>
        <source>Параметры станка</source>
        <translation>Machine settings</translation>
    </message>
    <message>
        <source>размер точки</source>
        <translation>dot size</translation>
    </message>
    <message>
        <source>Жечь только слева направо</source>
        <translation>Burn only from left to right</translation>
    </message>
    <message>
        <source>Мощность по яркости (полутона)</source>
        <translation>Power by brightness (grayscale)</translation>
    </message>
    <message>
        <source>Мощность лазера, S:</source>
        <translation>Laser power, S:</translation>
    </message>
    <message>
        <source>Мощность белого, S:</source>
        <translation>Power for white, S:</translation>
    </message>
    <message>
        <source>Перебег, мм:</source>
        <translation>Overscan, mm:</translation>
    </message>
    <message>
        <source>Сдвиг обратного хода, мм:</source>
        <translation>Backward pass shift, mm:</translation>
    </message>
    <message>
        <source>Уровней мощности:</source>
        <translation>Power levels:</translation>
    </message>
    <message>
        <source>Гамма:</source>
        <translation>Gamma:</translation>
    </message>
    <message>
        <source>Шаг строк, мм:</source>
        <translation>Line interval, mm:</translation>
    </message>
    <message>
        <source>Пробелы холостым ходом длиннее, мм:</source>
        <translation>Rapid over gaps longer than, mm:</translation>
    </message>
    <message>
        <source>Скорость холостого хода, мм/мин:</source>
        <translation>Rapid rate, mm/min:</translation>
    </message>
    <message>
        <source>Ускорение, мм/с²:</source>
        <translation>Acceleration, mm/s²:</translation>
    </message>
    <message>
        <source>Отклонение на углах, мм:</source>
        <translation>Junction deviation, mm:</translation>
    </message>
    <message>
        <source>Скорость порта, бод:</source>
        <translation>Port speed, baud:</translation>
    </message>
</context>
<context>
    <name>skelda::MachinePanel</name>
    <message>
        <source>Станок: </source>
        <translation>Machine: </translation>
    </message>
    <message>
        <source>Подача: %1 %</source>
        <translation>Feed: %1 %</translation>
    </message>
    <message>
        <source>Мощность: %1 %</source>
        <translation>Power: %1 %</translation>
    </message>
    <message>
        <source>Строка %1 из %2</source>
        <translation>Row %1 of %2</translation>
    </message>
    <message>
        <source>Прошло: %1
Осталось: %2</source>
        <translation>Elapsed: %1
Left: %2</translation>
    </message>
    <message>
        <source>Продолжить</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>Продолжить можно с строки %1</source>
        <translation>Can resume from row %1</translation>
    </message>
</context>
<context>
    <name>skelda::TForm1</name>
    <message>
        <source>Файл уже существует. Заменить?
</source>
        <translation>The file already exists. Replace it?
</translation>
    </message>
    <message>
        <source>Рамка</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>Мощность рамки S (0 – лазер выключен):</source>
        <translation>Frame power S (0 – laser off):</translation>
    </message>
    <message>
        <source>Подключение к %1…</source>
        <translation>Connecting to %1…</translation>
    </message>
    <message>
        <source>Подключено: %1 (%2)</source>
        <translation>Connected: %1 (%2)</translation>
    </message>
    <message>
        <source>Связь со станком потеряна: %1</source>
        <translation>The connection to the machine is lost: %1</translation>
    </message>
    <message>
        <source>Станок: %1</source>
        <translation>Machine: %1</translation>
    </message>
    <message>
        <source>Станок отключен</source>
        <translation>Machine disconnected</translation>
    </message>
    <message>
        <source>Скорость перемещения %1 мм/мин должна быть больше 0</source>
        <translation>The jog feed %1 mm/min must be greater than 0</translation>
    </message>
    <message>
        <source>Остановить задание и выйти?</source>
        <translation>Stop the job and exit?</translation>
    </message>
    <message>
        <source>Вы дейсвительно хотите применить текушие параметры ?</source>
        <translation>Do you really want to apply the current settings?</translation>
    </message>
    <message>
        <source>Действительно хотите закрыть программу ?</source>
        <translation>Do you really want to close the program?</translation>
    </message>
    <message>
        <source>Связь со станком потеряна.</source>
        <translation>The connection to the machine is lost.</translation>
    </message>
    <message>
        <source>Станок остановил задание: %1 %2 — %3.</source>
        <translation>The machine stopped the job: %1 %2 — %3.</translation>
    </message>
    <message>
        <source>тревога</source>
        <translation>alarm</translation>
    </message>
    <message>
        <source>код</source>
        <translation>code</translation>
    </message>
    <message>
        <source>
Строка %1 файла: %2</source>
        <translation>
Line %1 of the file: %2</translation>
    </message>
    <message>
        <source>
Строки в буфере станка (%1) могли выполниться.</source>
        <translation>
The lines in the machine buffer (%1) may have run.</translation>
    </message>
    <message>
        <source>
«Отправить на станок» продолжит с строки %1.</source>
        <translation>
“Send to machine” resumes from row %1.</translation>
    </message>
    <message>
        <source>Продолжить с строки %1?</source>
        <translation>Resume from row %1?</translation>
    </message>
    <message>
        <source>Задание отправлено на станок</source>
        <translation>The job is sent to the machine</translation>
    </message>
    <message>
        <source>Задание выполнено: строк %1, время %2 (по плану %3)</source>
        <translation>Job done: %1 lines, time %2 (planned %3)</translation>
    </message>
    <message>
        <source>Задание остановлено на строке %1</source>
        <translation>The job stopped at row %1</translation>
    </message>
    <message>
        <source>Задание прервано на строке %1</source>
        <translation>The job was interrupted at row %1</translation>
    </message>
    <message>
        <source>, из них %1 с ожидания порта</source>
        <translation>, of it %1 s waiting for the port</translation>
    </message>
    <message>
        <source>Время работы: </source>
        <translation>Job time: </translation>
    </message>
    <message>
        <source>Программа GRBL: X от %1 до %2 мм</source>
        <translation>GRBL program: X from %1 to %2 mm</translation>
    </message>
</context>
<context>
    <name>skelda::TForm2</name>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
</context>
<context>
    <name>skelda::TestGridDialog</name>
    <message>
        <source>Тестовая сетка</source>
        <translation>Test grid</translation>
    </message>
    <message>
        <source>Мощность S, от:до:кол-во:</source>
        <translation>Power S, from:to:count:</translation>
    </message>
    <message>
        <source>Скорость мм/мин, от:до:кол-во:</source>
        <translation>Feed mm/min, from:to:count:</translation>
    </message>
    <message>
        <source>Сторона квадрата, мм:</source>
        <translation>Square side, mm:</translation>
    </message>
</context>
</TS>
