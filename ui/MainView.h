// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Limits.h"
#include "core/ViewState.h"
#include "ui/MainViewInterface.h"
#include "ui/RainbowFan.h"
#include "ui/VaylaRGBFanView.h"

#include <QAbstractAnimation>
#include <QSet>
#include <functional>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QAction;
class QButtonGroup;
class QMenu;
class QLabel;
class QPropertyAnimation;
class QPushButton;
class QScrollArea;
class QTimer;
class FocusRing;
class InfoView;
class RainbowFan;
class VaylaRGBFanView;
class CurveEditor;

// Rules of the main window that need no widget.
namespace MainViewRules {
constexpr int kWindowWidth = 999;
constexpr int kWindowHeight = 606;
constexpr int kBoxStep = 45;           // one box button plus its gap
constexpr int kBoxScrollMax = 495;     // strip content 713 wide, viewport 218
constexpr int kLocationCount = 5;
constexpr int kMenuButtonCount = 10;
constexpr int kKeyCount = 12;
constexpr int kPasswordLength = 4;
constexpr int kSavedNoticeMs = 1500; // how long the save button says "Saved"

// Box strip scrolling by one step; the scroll bar clamps what lies outside.
int scrollLeft(int value);
int scrollRight(int value);
// Integer Fahrenheit, truncated toward zero.
int fahrenheit(int celsius);
// "TEMP:37°C / 98°F" with the given (translated) caption.
QString temperatureText(const QString &caption, int celsius);
// Where a panel at this carousel location goes on a turn.
int nextLocation(int location, bool clockwise);
// Panels to raise, bottom first, when the panel at the front turns away.
QVector<int> raiseOrder(int panel, bool clockwise);
// Geometry of a carousel location (0..4); an empty rectangle outside.
QRect carouselRect(int location);
// Font size of the profile buttons for a language.
int profileFontPx(int language);

// Style sheets of the window's buttons, on the given image folder prefix
// ("<application dir>/").
QString profileButtonStyle(const QString &prefix, int fontPx);
QString arrowStyle(const QString &prefix, bool left);
QString saveButtonStyle(const QString &prefix);
QString menuButtonStyle(const QString &prefix);
enum class BoxLook { Start, Present, Absent, Alarm, Silent };
QString boxButtonStyle(const QString &prefix, BoxLook look, bool checkable = true);
}

// The visible main window: box strip, profiles, settings menu, password keypad,
// the five RGB fan panels (or three second fan views) and the footer. It never
// talks to a box; every action leaves as a view message.
class MainView : public QWidget, public MainViewInterface {
    Q_OBJECT
public:
    // What to do with unsaved edits when another profile is chosen.
    enum class UnsavedChoice { Save, Discard, Cancel };
    using UnsavedPrompt = std::function<UnsavedChoice(int fromProfile, int toProfile)>;
    // Replaces the question box (tests answer it themselves).
    void setUnsavedPrompt(UnsavedPrompt prompt) { m_unsavedPrompt = std::move(prompt); }
    // Whether the box shown has edits not saved in its profile.
    bool hasUnsavedEdits() const { return m_unsavedBoxes.contains(m_currentBox); }
    // The current settings written as profile index 0..4 (the box stays on its own).
    void copyProfileTo(int profileIndex);
    explicit MainView(QWidget *parent = nullptr);
    ~MainView() override;

    void showView() override;
    void hideView() override;
    bool isViewHidden() const override;

    // What the view shows of the core: it reads the state now and again
    // whenever the state says that something changed. Null detaches it.
    // `shownAlready`: the view shows the state's picture already; only what
    // changes from now on is shown.
    void setViewState(const ViewState *state, bool shownAlready = false);

    // What the window itself knows.
    void setAppVersion(const QString &version);
    void setIpText(const QString &text);
    // Shown while the boxes are simulated.
    void setSimulated(bool simulated);

    FanEditor *fanEditor(int fan) override;
    RainbowFan *fanPanel(int fan);

    int boxType() const { return m_boxType; }
    int currentBox() const { return m_currentBox; }
    int currentProfile() const { return m_currentProfile; }
    QString password() const { return m_password; }
    bool isSimulated() const { return m_simulated; }
    // True while the window says that no controller box was found.
    bool isNoBoxNoticeShown() const;
    bool isKeypadShown() const;
    // The controls Tab visits now, in order.
    QList<QWidget *> keyboardPath() const { return tabStops(); }
    // How often the whole panel was re-rendered from the box table.
    int panelRenderCount(int fan) const;
    VaylaRGBFanView *vaylaView(int fan) const;

    // The private window messages meant for this window (a second start
    // sends 0x8101); true when the message was for us.
    bool handleWindowMessage(unsigned int message, quintptr wParam, qintptr lParam);

signals:
    void sendData(QStringList data);
    void sendVaylaData(QStringList data);
    void sendRGBData(QStringList r, QStringList g, QStringList b, QStringList bright, int fan);
    void sendVaylaRGBData(int r, int g, int b, float bright, int fan);
    void testSendFileData(QStringList lines, int periodMs);
    // The graphs of a fan of a box; box -1: of every fan.
    void graphsRequested(int box, int fan);

public:
    // The curve selector of fan `fan` of the shown box, and the curve
    // editor at curve `name` (ui/curves).
    void openCurveSelector(int fan);
    void openCurveEditor(const QString &name);

public slots:
    void changeControllerBox();
    void selectProfile();
    void saveProfile();
    void changeLanguage();
    void otherSwitch();
    void mutiLanguageWidget();
    void moveControllerBox();
    void keyboardTouch();
    void changePassword();
    void receiveData(QStringList data);
    void receiveVaylaData(QStringList data);
    void receiveRGBData(QStringList r, QStringList g, QStringList b, QStringList bright, int fan);
    void receiveVaylaRGBData(int r, int g, int b, float bright, int fan);
    void on_animation_stateChanged(QAbstractAnimation::State newState, QAbstractAnimation::State oldState);
    void showInfo();
    // Asks for a lighting script file and hands its frames on (Ctrl+O).
    void showFile();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;

private:
    // The state's picture, as far as it differs from what is shown.
    void showWindowState(const WindowView &window, bool everything);
    void showFanState(int fan, const FanView &view, bool everything);
    void showProfileSaved();
    void appendInfo(const QString &line);
    void setFirmwareVersion(const QString &version);
    void setAutoUpdate(bool on);
    void setPasswordEnabled(bool on);
    void setPassword(const QString &password);
    // Who may reach the phone server: 0 off, 1 this computer only, 2 the network.
    void setRemoteAccess(int access);
    void setTemperature(int celsius);
    // No CPU reading: the label says so instead of showing a number.
    void setNoTemperature();
    // Whether the music effects hear the computer's audio; the panels in a
    // music mode say so when they do not.
    void setMusicCapture(bool capturing);
    void setBoxType(int boxType);
    void checkBoxButton(int box);
    void setBoxButtonPresent(int box, bool present);
    void setBoxButtonAlarm(int box, bool alarm);
    // A present box that stopped answering: its fans are not watched any more.
    void setBoxButtonAnswering(int box, bool answering);
    void checkProfileButton(int profile); // 1..5
    void setProfileLabel(int profile);    // 1..5
    void resetLanguage(int language);
    // The panel or the second fan view, by the shown box type.
    void setRPMByFan(int fan, int rpm);
    void setFanErrorByFan(int fan, bool error);

    void buildScriptEntry();
    void setLanguageButtonTexts();
    // Construction, one part each.
    void buildStyles();
    void buildWindow();
    void buildVaylaViews();
    void buildFanPanels();
    void buildFooter();
    void buildTopControls();
    void buildBoxStrip();
    void buildLanguageMenu();
    void buildRemoteAccessEntry();
    void updateRemoteAccessTexts();
    void buildGraphsEntry();
    void updateGraphsText();
    void buildCurvesEntry();
    void updateCurvesText();
    void chooseRemoteAccess(int access);
    bool footerShowsAddress() const;
    void buildKeypad();
    void buildInfo();
    void buildBoxTypeChoice();
    void buildNoBoxNotice();
    void enableKeyboard();
    // Names, descriptions, Tab path and press areas (MainViewAccess.cpp).
    void describeControls();
    // Profiles (MainViewProfiles.cpp).
    void buildProfileCopyActions();
    void noteEdit(const QStringList &message);
    UnsavedChoice askUnsaved(int fromProfile, int toProfile);
    void describeBox(int box);
    void extendHitAreas();
    QList<QWidget *> tabStops() const;
    QPushButton *addMenuButton(const QString &objectName, bool checkable);
    int addMenuRow(int height);
    void composeLocalAddress();
    void showTemperature();
    void updateNoBoxNotice();
    void updateBoxTypeTexts();
    void cancelKeypad();
    // Digits, Backspace and Return typed while the keypad is open.
    bool typeOnKeypad(QKeyEvent *event);
    void selectBoxType();

    QString image(const QString &relative) const;
    QPixmap pixmap(const QString &relative) const;
    void setImageLabel(QLabel *label, const QString &relative, bool scaled);
    QPushButton *boxButton(int box) const;
    void updateVersionLabel();
    bool anyBoxPresent() const;
    void updateFooter();
    void applyBoxLook(int box);
    void updateMenuSwitchTexts();
    void hideLanguageMenu();
    void showKeypad();
    void turnCarousel(bool clockwise);
    // Every other fan panel of the box takes over the look and speed of `source`.
    void applyToAllFans(RainbowFan *source);
    void applyToFans(const RainbowFan::Look &look, const RainbowFan *skip);
    void applyToVaylaFans(const VaylaRGBFanView::Look &look, const VaylaRGBFanView *skip);
    // Boxes other than the shown one that are there.
    QList<int> otherPresentBoxes() const;
    // Chooses each other box in turn, lets `toShownBox` send to its fans when
    // they are of the shown kind, and comes back to the shown box.
    void applyToEveryBox(const std::function<void()> &toShownBox);
    // "To all" pressed: this box at once, or a menu (this box / every box)
    // when there are other boxes.
    void offerApplyToAll(QWidget *button, const std::function<void()> &thisBox, const std::function<void()> &everyBox);
    void askApplyToAll(RainbowFan *source);
    void askApplyToAllVayla(VaylaRGBFanView *source);
    void runCoverFade();
    bool coverStaysOpen(int panel) const;
    QString passwordEntry() const;

    QString m_prefix;
    RainbowFan *m_fanPanels[kRainbowFanCount] = {};
    VaylaRGBFanView *m_vaylaViews[kVaylaFanCount] = {};
    QLabel *m_vaylaFrames[kVaylaFanCount] = {};
    QPointer<QPropertyAnimation> m_carouselAnimations[kRainbowFanCount];
    QPropertyAnimation *m_opacityAnimations[kRainbowFanCount] = {};

    int m_currentBox = 0;
    int m_currentProfile = 1;
    int m_boxType = 1;
    int m_language = 0;
    bool m_simulated = false;
    InfoView *m_infoView = nullptr;
    QString m_ipText;
    QString m_appVersion = QLatin1String(kDefaultVersion);
    QString m_firmwareVersion = QLatin1String(kDefaultVersion);
    QString m_ipLabelText = QStringLiteral("null");
    bool m_autoUpdateOn = true;
    bool m_passwordOn = false;
    QString m_password = QStringLiteral("9462");
    int m_pressX = 0;
    int m_pressY = 0;

    QString m_profileStyle;
    QString m_arrowLeftStyle;
    QString m_arrowRightStyle;
    QString m_saveStyle;
    QString m_menuStyle;
    QString m_boxStyle;

    QLabel *m_productName = nullptr;
    QLabel *m_logo = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    QPushButton *m_minButton = nullptr;
    QPushButton *m_settingButton = nullptr;
    QButtonGroup *m_profileGroup = nullptr;
    QPushButton *m_profileButtons[kProfileCount] = {};
    QSet<int> m_unsavedBoxes;
    UnsavedPrompt m_unsavedPrompt;
    QLabel *m_profileLabel = nullptr;
    QPushButton *m_arrowLeft = nullptr;
    QPushButton *m_arrowRight = nullptr;
    QScrollArea *m_boxScroll = nullptr;
    QWidget *m_boxContent = nullptr;
    QButtonGroup *m_boxGroup = nullptr;
    QPushButton *m_boxButtons[kBoxCount] = {};
    bool m_boxAlarm[kBoxCount] = {};
    bool m_boxSilent[kBoxCount] = {};
    bool m_boxPresenceTold = false;
    bool m_temperatureKnown = false;
    int m_celsius = 0;
    bool m_placed = false;
    int m_panelRenders[kRainbowFanCount] = {};
    const ViewState *m_viewState = nullptr;
    WindowView m_shownWindow;
    BoxModel::FanReading m_shownReadings[kRainbowFanCount];
    QButtonGroup *m_boxTypeGroup = nullptr;
    QLabel *m_boxTypeCaption = nullptr;
    QPushButton *m_boxTypeButtons[2] = {}; // [0] single-colour fans, [1] 12-LED fans
    QLabel *m_noBoxNotice = nullptr;
    QTimer *m_savedTimer = nullptr;
    FocusRing *m_focusRing = nullptr;
    QLabel *m_footer = nullptr;
    QLabel *m_ipLabel = nullptr;
    QLabel *m_temperatureLabel = nullptr;
    QLabel *m_versionLabel = nullptr;
    QPushButton *m_infoButton = nullptr;
    QLabel *m_languageMenu = nullptr;
    QButtonGroup *m_languageGroup = nullptr;
    QPushButton *m_menuButtons[MainViewRules::kMenuButtonCount] = {};
    QPushButton *m_remoteAccessButton = nullptr;
    QPushButton *m_graphsButton = nullptr;
    QPushButton *m_curvesButton = nullptr;
    QPointer<CurveEditor> m_curveEditor;
    QMenu *m_remoteAccessMenu = nullptr;
    QAction *m_remoteAccessActions[3] = {};
    int m_remoteAccess = 2;
    QLabel *m_keypadMask = nullptr;
    QLabel *m_keypadPanel = nullptr;
    QLabel *m_keypadCaption = nullptr;
    bool m_keypadShowsStored = false;
    QPushButton *m_keys[MainViewRules::kKeyCount] = {};
    QLabel *m_digitLabels[MainViewRules::kPasswordLength] = {};
    QLabel *m_digitLines[MainViewRules::kPasswordLength] = {};
};
