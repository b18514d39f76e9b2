// The widget kit: the sprite button, the two tiles and their keys, text fitting and the
// message dialog.
#include "ui/uitesthelpers.h"
#include "widgets/checkboxstyle.h"
#include "widgets/fieldstyle.h"
#include "widgets/textfit.h"
#include "widgets/tilestyle.h"

namespace {

QColor shownColor(const QWidget *w)
{
    const QBrush brush = w->palette().brush(QPalette::Window);
    const QImage picture = brush.texture().toImage();
    return picture.isNull() ? brush.color()
                            : picture.pixelColor(picture.width() / 2, picture.height() / 2);
}

}

class TestWidgetKit : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { uiScale = 1.0f; }

    void pushButtonPictures()
    {
        // A sprite with a red resting cell, a green hover cell and a blue pressed cell.
        QPixmap sprite(82, 60);
        sprite.fill(Qt::black);
        QPainter painter(&sprite);
        painter.fillRect(0, 0, 26, 26, Qt::red);
        painter.fillRect(0, 28, 26, 26, Qt::green);
        painter.fillRect(30, 0, 26, 26, Qt::blue);
        painter.end();
        MyPushButton button;
        button.setButtonGeometry(10, 0, 39, 39);
        button.setNormalRect(0, 0, 26, 26);
        button.setHoverRect(0, 28, 26, 26);
        button.setPressedRect(30, 0, 26, 26);
        button.setDisabledRect(0, 0, 26, 26);
        button.setSprite(sprite);
        button.setButtonMode(3);
        QCOMPARE(button.palette().brush(QPalette::Window).texture().size(), QSize(39, 39));

        QSignalSpy clicked(&button, &MyPushButton::clicked);
        QStringList shown; // the picture after each event
        shown << shownColor(&button).name();
        sendEvent(&button, QEvent::Enter);
        shown << shownColor(&button).name();
        QTest::mousePress(&button, Qt::LeftButton);
        shown << shownColor(&button).name();
        QTest::mouseRelease(&button, Qt::LeftButton);
        shown << shownColor(&button).name();
        sendEvent(&button, QEvent::Leave);
        shown << shownColor(&button).name();
        QCOMPARE(shown.join(' '), QStringLiteral("#ff0000 #00ff00 #0000ff #ff0000 #ff0000"));
        QCOMPARE(clicked.count(), 1);
        // Any button, and a release outside the button, still clicks.
        QTest::mousePress(&button, Qt::RightButton);
        QTest::mouseRelease(&button, Qt::RightButton, Qt::NoModifier, QPoint(200, 200));
        QCOMPARE(clicked.count(), 2);
    }

    void tileStates()
    {
        MyTempButton2 tile;
        styleTile(&tile);
        QSignalSpy clicked(&tile, &MyTempButton2::clicked);
        QStringList looks;
        auto look = [&] {
            looks << (tile.styleSheet() == tile.normalStyle  ? "normal"
                      : tile.styleSheet() == tile.hoverStyle ? "hover"
                      : tile.styleSheet() == tile.disabledStyle ? "disabled" : "?");
        };
        look();
        sendEvent(&tile, QEvent::Enter);
        look();
        sendEvent(&tile, QEvent::Leave);
        look();
        tile.setEnabledStyle(false);
        sendEvent(&tile, QEvent::Enter);
        look();
        QTest::mouseClick(&tile, Qt::LeftButton);
        tile.click();
        QCOMPARE(clicked.count(), 0);
        tile.setEnabledStyle(true);
        look();
        QCOMPARE(looks.join(' '), QStringLiteral("normal hover normal disabled normal"));
        // Any button, and a release outside the tile, still clicks.
        QTest::mousePress(&tile, Qt::LeftButton);
        QTest::mouseRelease(&tile, Qt::LeftButton, Qt::NoModifier, QPoint(-50, -50));
        QTest::mouseClick(&tile, Qt::MiddleButton);
        QCOMPARE(clicked.count(), 2);
    }

    // Return, Enter and Space press every kind of button, once however long they are held.
    void keysPressButtons()
    {
        MyTempButton2 tile;
        MyTempButton1 dialogTile;
        MyPushButton imageButton;
        for (LabelButton *button : QList<LabelButton *>{&tile, &dialogTile, &imageButton}) {
            QSignalSpy clicked(button, &LabelButton::clicked);
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_A})
                QTest::keyClick(button, key);
            QKeyEvent held(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
            QApplication::sendEvent(button, &held);
            QCOMPARE(clicked.count(), 3);
        }
    }

    // A text too wide for its tile is drawn smaller, at the largest size that fits but never
    // below 9·s; a text that fits keeps the design size 13·s.
    void tileTextFits_data()
    {
        QTest::addColumn<float>("scale");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("size");
        QTest::newRow("fits") << 1.0f << 100 << "Cancel" << "design";
        QTest::newRow("too wide") << 1.0f << 120 << "Open Saved Folder" << "smaller";
        QTest::newRow("far too wide") << 1.0f << 40 << "Open Saved Folder" << "smallest";
        QTest::newRow("Chinese too wide") << 1.0f << 90 << "打开保存文件夹" << "smaller";
        QTest::newRow("fits at 1.5") << 1.5f << 150 << "Cancel" << "design";
        QTest::newRow("far too wide at 1.5") << 1.5f << 60 << "Open Saved Folder" << "smallest";
    }

    void tileTextFits()
    {
        QFETCH(float, scale);
        QFETCH(int, width);
        QFETCH(QString, text);
        uiScale = scale;
        MyTempButton2 tile;
        styleTile(&tile);
        tile.setGeometry(0, 0, width, scaled(30));
        tile.setText(text);
        tile.ensurePolished();
        const int size = tile.textFont().pixelSize();
        const int room = tile.contentsRect().width() - 2 * scaled(4);
        auto fitsAt = [&](int pixels) {
            QFont font = tile.font();
            font.setPixelSize(pixels);
            return QFontMetrics(font).horizontalAdvance(text) <= room;
        };
        QTEST(size == scaled(13) ? QString("design") : size == scaled(9) ? "smallest" : "smaller",
              "size");
        QVERIFY(size == scaled(9) || fitsAt(size));
        QVERIFY(size == scaled(13) || !fitsAt(size + 1));
        tile.grab(); // draws the shrunk or elided text
    }

    // The frame-rate box's font shrinks until its widest item fits, and grows back when the
    // items change; the fitting does not pile up in its style sheet.
    void comboBoxTextFits()
    {
        QComboBox box;
        box.setStyleSheet("QComboBox{font-size:12px;padding: 1px 2px 1px 2px;}");
        box.setIconSize(QSize(10, 30));
        box.resize(60, 30);
        const QIcon arrow(":/images/arrowtest.png");
        box.addItem(arrow, "1Frame/s");
        box.addItem(arrow, "10Frame/s");
        fitComboBoxText(&box, 12);
        QCOMPARE(box.font().pixelSize(), 9);
        const QString fitted = box.styleSheet();
        box.resize(300, 30);
        fitComboBoxText(&box, 12);
        QCOMPARE(box.font().pixelSize(), 12);
        box.resize(60, 30);
        fitComboBoxText(&box, 12);
        QCOMPARE(box.styleSheet(), fitted);
    }

    void colourTile()
    {
        MyTempButton1 tile;
        tile.setColors("#646464", "#6e6d6d", "#505050");
        QCOMPARE(shownColor(&tile), QColor("#646464"));
        sendEvent(&tile, QEvent::Enter);
        QCOMPARE(shownColor(&tile), QColor("#6e6d6d"));
        sendEvent(&tile, QEvent::Leave);
        QCOMPARE(shownColor(&tile), QColor("#646464"));
    }

    // A ticked box shows its tick white on orange, plain on the dark theme; an unticked one
    // shows neither.
    void checkBoxTickStandsOut()
    {
        QCheckBox box("Smaller file");
        box.setStyleSheet(checkBoxStyle(12, true));
        box.resize(120, 30);
        QStyleOptionButton option;
        option.initFrom(&box);
        const QRect indicator =
            box.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &box);
        const auto colours = [&box, &indicator] {
            const QImage shown = box.grab(indicator.adjusted(1, 1, -1, -1)).toImage();
            int white = 0, orange = 0;
            for (int y = 0; y < shown.height(); ++y) {
                for (int x = 0; x < shown.width(); ++x) {
                    const QColor c = shown.pixelColor(x, y);
                    white += c.lightness() > 235 ? 1 : 0;
                    orange += c == QColor("#ff8a3d") ? 1 : 0;
                }
            }
            return QPair<int, int>(white, orange);
        };
        QCOMPARE(colours(), qMakePair(0, 0));
        box.setChecked(true);
        const QPair<int, int> ticked = colours();
        QVERIFY2(ticked.first >= 10 && ticked.second >= 40,
                 qPrintable(QString("%1 white, %2 orange").arg(ticked.first).arg(ticked.second)));
    }

    // A field whose value cannot be used says why in its tooltip and shows a red border,
    // until the mark is taken off.
    void fieldProblemLook()
    {
        QLineEdit field;
        field.setStyleSheet(fieldStyle(12, true));
        field.resize(100, 28);
        const auto border = [&field] { return field.grab().toImage().pixelColor(0, 14); };
        const QColor plain = border();
        setFieldProblem(&field, "past the end of the clip (00:00:10)");
        QCOMPARE(field.toolTip(), QString("past the end of the clip (00:00:10)"));
        QCOMPARE(border(), QColor("#ff8f80"));
        setFieldProblem(&field, QString());
        QVERIFY(field.toolTip().isEmpty());
        QCOMPARE(border(), plain);
    }

    // At every scale the tiles lie inside the dialog, side by side, and a single tile is
    // centred.
    void dialogLayout()
    {
        for (float scale : {1.0f, 1.5f}) {
            uiScale = scale;
            MyMessageDialog dialog;
            dialog.setMessage(QStringLiteral("completed, do you want to open the folder?"));
            const QRect inside = dialog.rect();
            const QRect left = dialog.CancelButton->geometry();
            const QRect right = dialog.OKButton->geometry();
            QVERIFY(inside.contains(left) && inside.contains(right));
            QVERIFY(left.right() < right.left() && left.y() == right.y());
            QVERIFY(dialog.messageLabel->geometry().bottom() < left.top());
            dialog.setSingleButton("OK");
            QCOMPARE(dialog.OKButton->geometry().center().x(), inside.center().x());
            QVERIFY(dialog.CancelButton->isHidden());
        }
    }

    void dialogAnswers_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("ok");
        QTest::newRow("right tile") << "ok" << true;
        QTest::newRow("left tile") << "cancel" << false;
        QTest::newRow("close button") << "close" << false;
        QTest::newRow("Escape") << "Escape" << false;
        QTest::newRow("Return") << "Return" << true;
        QTest::newRow("Tab to the close button, Space") << "Tab Space" << false;
        QTest::newRow("Tab twice to the left tile, Return") << "Tab Tab Return" << false;
        QTest::newRow("round to the right tile, Space") << "Tab Tab Tab Space" << true;
    }

    void dialogAnswers()
    {
        QFETCH(QString, way);
        MyMessageDialog dialog;
        dialog.setButtonTexts("Cancel", "Open");
        QTimer::singleShot(50, &dialog, [&] {
            const QMap<QString, Qt::Key> keys{{"Escape", Qt::Key_Escape},
                                              {"Return", Qt::Key_Return},
                                              {"Tab", Qt::Key_Tab},
                                              {"Space", Qt::Key_Space}};
            if (way.at(0).isUpper()) {
                for (const QString &key : way.split(' '))
                    QTest::keyClick(dialog.focusWidget(), keys.value(key));
            } else {
                QTest::mouseClick(way == "ok"       ? (QWidget *)dialog.OKButton
                                  : way == "cancel" ? (QWidget *)dialog.CancelButton
                                                    : (QWidget *)dialog.closeButton,
                                  Qt::LeftButton);
            }
        });
        QTimer::singleShot(10000, &dialog, &QDialog::reject);
        dialog.exec();
        QTEST(dialog.okPressed, "ok");
    }
};

LUMORRA_UI_TEST_MAIN(TestWidgetKit)
#include "tst_widgetkit.moc"
