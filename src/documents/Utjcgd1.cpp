#include "Utjcgd1.h"

#include "basic/PickerTargets.h"
#include "basic/Uck1.h"
#include "basic/Ughs2.h"
#include "basic/Usp2.h"
#include "basic/Uyg2.h"
#include "data/Clock.h"
#include "data/DM1.h"
#include "data/DocumentState.h"
#include "documents/Uxgmx1.h"
#include "documents/Uxgmx4.h"
#include "documents/Uxzcg1.h"
#include "documents/purchase_numbering.h"
#include "documents/purchase_posting.h"
#include "documents/purchase_print.h"
#include "documents/purchase_save.h"
#include "shell/Umain1.h"
#include "ui/Controls.h"
#include "ui/DataGrid.h"
#include "ui/Forms.h"
#include "ui/Handlers.h"
#include "ui/Messages.h"
#include "ui/Modal.h"

#include <QAction>
#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QScopeGuard>
#include <functional>
#include <iterator>
#include <type_traits>
#include <utility>
#include <variant>

QPointer<TFtjcgd1> Ftjcgd1;

namespace {
const QString kTag = QStringLiteral("tjcg");
const QString kNew = QStringLiteral("新增");
const QString kModify = QStringLiteral("修改");
const QString kZero = QStringLiteral("0");
const QString kNotOpen = QStringLiteral("采购数据未打开，关闭窗口后重新打开！");
const QString kNoWarehouse = QStringLiteral("仓库不可为空！");
const QString kTooMany = QStringLiteral("每天录入不可超过999单！");

bool isLoneMinus(const QLineEdit* e) { return e->text().trimmed() == QLatin1String("-"); }

// An emptied number field reads "0" at once, selected, so that what is typed next replaces
// it ("-1" typed into an emptied quantity reads "-1", not "0-1").
void zeroEmpty(QLineEdit* e)
{
    e->setText(kZero);
    e->selectAll();
}

void zeroLoneMinus(QLineEdit* e)
{
    if (isLoneMinus(e))
        e->setText(kZero);
}

// A line dialog in the purchase mode, filled by fill before it runs.
template <class Dialog>
void runLineDialog(QWidget* parent, const QString& title, const std::function<void(Dialog&)>& fill)
{
    Dialog dlg(parent);
    dlg.setWindowTitle(title);
    dlg.ST1->setText(QStringLiteral("cgmx"));
    fill(dlg);
    runModal(dlg);
}

// ---- the form described -----------------------------------------------------------------

// A field laid out by position: its caption at (x, y), the field right after it. A read-only
// field shows what was chosen or computed (grey); a chosen field has its "…" picker button
// right after it, which runs its handler.
struct FieldSpec {
    std::variant<DatePicker* TFtjcgd1::*, ExitEdit* TFtjcgd1::*, QLineEdit* TFtjcgd1::*> field;
    const char* name;
    const char* caption = "";          // none: no caption (and the field stands at x)
    int x = 0, y = 0, captionWidth = 0, width = 0, height = 22;
    bool readOnly = false;
    bool hidden = false;
    const char* hint = "";
    SpeedButton* TFtjcgd1::*picker = nullptr;
    const char* pickerName = "";
    const char* pickerHint = "";
    void (TFtjcgd1::*pickerClick)() = nullptr;
};

// In the order they are made: the header's two rows, then (after the title box, the lines and
// the document buttons) the totals and the entry row along the bottom.
const FieldSpec kHeader[] = {
    {.field = &TFtjcgd1::DateTimePicker1, .name = "DateTimePicker1", .caption = "日期", .x = 8, .y = 10,
     .captionWidth = 30, .width = 104},
    {.field = &TFtjcgd1::ck, .name = "ck", .caption = "仓库", .x = 150, .y = 10, .captionWidth = 30, .width = 90,
     .readOnly = true, .picker = &TFtjcgd1::SpeedButton4, .pickerName = "SpeedButton4", .pickerHint = "选择仓库",
     .pickerClick = &TFtjcgd1::SpeedButton4Click},
    {.field = &TFtjcgd1::jsr, .name = "jsr", .caption = "经办人", .x = 300, .y = 10, .captionWidth = 44, .width = 80,
     .readOnly = true, .picker = &TFtjcgd1::SpeedButton1, .pickerName = "SpeedButton1", .pickerHint = "选择经办人",
     .pickerClick = &TFtjcgd1::SpeedButton1Click},
    {.field = &TFtjcgd1::ghs, .name = "ghs", .caption = "厂商", .x = 454, .y = 10, .captionWidth = 30, .width = 150,
     .readOnly = true, .picker = &TFtjcgd1::SpeedButton2, .pickerName = "SpeedButton2", .pickerHint = "选择厂商",
     .pickerClick = &TFtjcgd1::SpeedButton2Click},
    {.field = &TFtjcgd1::yhe, .name = "yhe", .caption = "优惠额", .x = 8, .y = 40, .captionWidth = 44, .width = 90,
     .hint = "正负方向必须跟总金额一致"},
    {.field = &TFtjcgd1::yfe, .name = "yfe", .caption = "应付额", .x = 150, .y = 40, .captionWidth = 44, .width = 98,
     .readOnly = true, .hint = "应付额＜0：表示应退款"},
    {.field = &TFtjcgd1::sfe, .name = "sfe", .caption = "实付额", .x = 300, .y = 40, .captionWidth = 44, .width = 102,
     .hint = "正负方向必须跟应付额一致"},
    {.field = &TFtjcgd1::bz, .name = "bz", .caption = "备注", .x = 454, .y = 40, .captionWidth = 30, .width = 172},
};
const FieldSpec kBottom[] = {
    {.field = &TFtjcgd1::hjsl, .name = "hjsl", .caption = "总数量:", .x = 8, .y = 452, .captionWidth = 50,
     .width = 110, .readOnly = true},
    {.field = &TFtjcgd1::hjje, .name = "hjje", .caption = "总金额:", .x = 180, .y = 452, .captionWidth = 50,
     .width = 130, .readOnly = true},
    {.field = &TFtjcgd1::txm, .name = "txm", .caption = "编码", .x = 8, .y = 488, .captionWidth = 30, .width = 120,
     .height = 24, .picker = &TFtjcgd1::SpeedButton3, .pickerName = "SpeedButton3", .pickerHint = "选择商品",
     .pickerClick = &TFtjcgd1::SpeedButton3Click},
    {.field = &TFtjcgd1::ppgg, .name = "ppgg", .caption = "品名", .x = 190, .y = 488, .captionWidth = 30,
     .width = 220, .height = 24, .readOnly = true},
    {.field = &TFtjcgd1::dw, .name = "dw", .hidden = true},
    {.field = &TFtjcgd1::jg, .name = "jg", .caption = "单价", .x = 448, .y = 488, .captionWidth = 30, .width = 70,
     .height = 24},
    {.field = &TFtjcgd1::sl, .name = "sl", .caption = "数量", .x = 556, .y = 488, .captionWidth = 30, .width = 70,
     .height = 24},
};

// A button: where it stands (none: hidden), its key and its handler.
template <class Button>
struct ButtonSpec {
    Button* TFtjcgd1::*button;
    const char* name;
    const char* caption;
    const char* hint = "";
    int key = 0;                        // the key that clicks it (0: none)
    void (TFtjcgd1::*click)();
    int x = 0, y = 0, width = 0, height = 0;
};

// The document buttons in a column at the right, then the two hidden ones.
const ButtonSpec<QPushButton> kDocumentButtons[] = {
    {.button = &TFtjcgd1::BB1, .name = "BB1", .caption = "开单-F5", .hint = "新增单据", .key = Qt::Key_F5,
     .click = &TFtjcgd1::BB1Click, .x = 666, .y = 112, .width = 138, .height = 40},
    {.button = &TFtjcgd1::BB2, .name = "BB2", .caption = "取单-F6", .hint = "打开挂单", .key = Qt::Key_F6,
     .click = &TFtjcgd1::BB2Click, .x = 666, .y = 162, .width = 138, .height = 40},
    {.button = &TFtjcgd1::BB3, .name = "BB3", .caption = "打印-F7", .hint = "打印单据", .key = Qt::Key_F7,
     .click = &TFtjcgd1::BB3Popup, .x = 666, .y = 212, .width = 138, .height = 40},
    {.button = &TFtjcgd1::BB4, .name = "BB4", .caption = "结单-F8", .hint = "正式保存并审核，收款，过帐",
     .key = Qt::Key_F8, .click = &TFtjcgd1::BB4Click, .x = 666, .y = 262, .width = 138, .height = 40},
    {.button = &TFtjcgd1::BB5, .name = "BB5", .caption = "挂单-F9", .hint = "临时保存不审核，不收款，不过帐",
     .key = Qt::Key_F9, .click = &TFtjcgd1::BB5Click, .x = 666, .y = 312, .width = 138, .height = 40},
    {.button = &TFtjcgd1::BB6, .name = "BB6", .caption = "关闭-ESC", .key = Qt::Key_Escape,
     .click = &TFtjcgd1::BB6Click, .x = 666, .y = 362, .width = 138, .height = 40},
    {.button = &TFtjcgd1::newButton, .name = "new", .caption = "新开单", .click = &TFtjcgd1::newClick},
    {.button = &TFtjcgd1::shenhe, .name = "shenhe", .caption = "shenhe", .click = &TFtjcgd1::shenheClick},
};

// The line buttons at the right of the entry row.
const ButtonSpec<SpeedButton> kLineButtons[] = {
    {.button = &TFtjcgd1::SB1, .name = "SB1", .caption = "F10", .hint = "新增明细", .key = Qt::Key_F10,
     .click = &TFtjcgd1::SB1Click, .x = 666, .y = 486, .width = 44, .height = 28},
    {.button = &TFtjcgd1::SB2, .name = "SB2", .caption = "F11", .hint = "删除明细", .key = Qt::Key_F11,
     .click = &TFtjcgd1::SB2Click, .x = 713, .y = 486, .width = 44, .height = 28},
    {.button = &TFtjcgd1::SB3, .name = "SB3", .caption = "F12", .hint = "修改明细", .key = Qt::Key_F12,
     .click = &TFtjcgd1::SB3Click, .x = 760, .y = 486, .width = 44, .height = 28},
};

void setHint(QWidget* w, const char* hint)
{
    if (*hint)
        w->setToolTip(QString::fromUtf8(hint));
}

// Makes the described fields in order, each after its caption and before its picker button.
template <class Specs>
void placeFields(TFtjcgd1& form, const Specs& specs)
{
    for (const FieldSpec& f : specs) {
        if (*f.caption)
            (new QLabel(QString::fromUtf8(f.caption), &form))->setGeometry(f.x, f.y, f.captionWidth, 22);
        QWidget* w = std::visit(
            [&form](auto member) -> QWidget* {
                using Field = std::remove_pointer_t<std::remove_reference_t<decltype(form.*member)>>;
                return form.*member = new Field(&form);
            },
            f.field);
        named(w, QString::fromLatin1(f.name));
        if (f.hidden) {
            w->hide();
            continue;
        }
        w->setGeometry(f.x + f.captionWidth, f.y, f.width, f.height);
        if (f.readOnly)
            greyReadOnly(static_cast<QLineEdit*>(w));
        setHint(w, f.hint);
        if (f.picker)
            form.*f.picker = pickerButtonAfter(w, QString::fromLatin1(f.pickerName), QString::fromUtf8(f.pickerHint));
    }
}

// Makes the described buttons in order; one without a place is hidden.
template <class Specs>
void placeButtons(TFtjcgd1& form, const Specs& specs)
{
    for (const auto& b : specs) {
        using Button = std::remove_pointer_t<std::remove_reference_t<decltype(form.*b.button)>>;
        auto* w = form.*b.button = named(new Button(QString::fromUtf8(b.caption), &form), QString::fromLatin1(b.name));
        setHint(w, b.hint);
        if (b.width > 0)
            w->setGeometry(b.x, b.y, b.width, b.height);
        else
            w->hide();
    }
}
}

TFtjcgd1::TFtjcgd1(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Ftjcgd1"));
    setWindowTitle(QStringLiteral("新增采购入库单"));
    setFixedBorder(this);
    setFixedSize(812, 523);
    buildControls();
    wireHandlers();
    Ftjcgd1 = this;
}

TFtjcgd1::~TFtjcgd1() = default;

void TFtjcgd1::buildControls()
{
    placeFields(*this, kHeader);
    buildTitleBox();
    buildLines();
    placeButtons(*this, kDocumentButtons);
    PM2 = named(new QMenu(this), QStringLiteral("PM2"));
    N3 = named(PM2->addAction(QStringLiteral("带编码打印")), QStringLiteral("N3"));
    N4 = named(PM2->addAction(QStringLiteral("不带编码打印")), QStringLiteral("N4"));
    placeFields(*this, kBottom);
    placeButtons(*this, kLineButtons);

    for (QLineEdit* e : {static_cast<QLineEdit*>(yhe), yfe, static_cast<QLineEdit*>(sfe), static_cast<QLineEdit*>(jg),
                         static_cast<QLineEdit*>(sl), hjsl, hjje})
        e->setText(kZero);

    QWidget* const tabOrder[] = {DateTimePicker1, ck, jsr, ghs, yhe, sfe, bz, txm, jg, sl};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    // Pickers write into these through the tag.
    for (QLineEdit* e : {static_cast<QLineEdit*>(ck), static_cast<QLineEdit*>(jsr), static_cast<QLineEdit*>(ghs), dh})
        PickerTargets::registerField(kTag, e->objectName(), e);
    // The goods picker and the line dialogs write totals of the shared line query; another
    // window may have re-pointed it meanwhile, so the form takes the totals of its own lines
    // (the same sums when the query holds them).
    PickerTargets::registerAction(kTag, QStringLiteral("ownLines"), this, [this] { ensureOwnLines(); });
    for (QLineEdit* field : {hjsl, hjje})
        PickerTargets::registerField(
            kTag, field->objectName(), field,
            [this](const QString&) { ensureOwnLines(); recomputeTotals(); },
            [field] { return field->text(); });
}

// The title box at the top right: the mode, the title, the state and under it the number.
void TFtjcgd1::buildTitleBox()
{
    auto* box = named(new QFrame(this), QStringLiteral("titleBox"));
    box->setFrameShape(QFrame::Box);
    box->setFrameShadow(QFrame::Sunken);
    box->setGeometry(664, 4, 142, 100);
    ztbj = named(new QLabel(kNew, box), QStringLiteral("ztbj"));
    ztbj->setGeometry(6, 4, 60, 18);
    Label1 = named(new QLabel(QStringLiteral("采购入库单"), box), QStringLiteral("Label1"));
    QFont tf = Label1->font();
    tf.setPointSize(16);
    tf.setBold(true);
    Label1->setFont(tf);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(0, 18, 142, 30);
    shbj = named(new QLabel(DocumentState::held(), box), QStringLiteral("shbj"));
    QPalette red = shbj->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    shbj->setPalette(red);
    shbj->setAlignment(Qt::AlignCenter);
    shbj->setGeometry(0, 48, 142, 20);
    dh = greyReadOnly(named(new QLineEdit(box), QStringLiteral("dh")));
    dh->setGeometry(10, 70, 122, 22);
    dh->setAlignment(Qt::AlignCenter);
}

// The lines' grid with its pop-up menu; return lines are drawn red.
void TFtjcgd1::buildLines()
{
    DBGrid1 = named(new DataGrid(this), QStringLiteral("DBGrid1"));
    DBGrid1->setGeometry(8, 70, 650, 372);
    DBGrid1->setToolTip(QStringLiteral("双点列表可修改明细"));
    PM1 = named(new QMenu(this), QStringLiteral("PM1"));
    N1 = named(PM1->addAction(QStringLiteral("删除明细")), QStringLiteral("N1"));
    N2 = named(PM1->addAction(QStringLiteral("整单折扣")), QStringLiteral("N2"));
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    DBGrid1->setColumns({
        {.field = "txm", .title = "编码", .width = 110, .popup = PM1},
        {.field = "ppgg", .title = "商品名称", .width = 220, .popup = PM1},
        {.field = "dw", .title = "单位", .width = 40, .align = Qt::AlignCenter, .titleCentered = true, .popup = PM1},
        {.field = "sl", .title = "数量", .width = 60, .align = right, .popup = PM1},
        {.field = "jg", .title = "单价", .width = 80, .align = right, .popup = PM1},
        {.field = "zk", .title = "折扣", .width = 40, .align = right},
        {.field = "je", .title = "金额", .width = 80, .align = right, .popup = PM1},
    });
    DBGrid1->setQuery(&DM1->AQcgc1);
    DBGrid1->setRowStyler([](int row) {
        RowStyle s;
        const Query& q = DM1->AQcgc1;
        const int col = q.fieldIndex(QStringLiteral("sl"));
        if (col >= 0 && row >= 0 && row < q.recordCount() && q.cellMoney(row, col).isNegative())
            s.font = Qt::red;
        return s;
    });
}

void TFtjcgd1::wireHandlers()
{
    auto run = [this](void (TFtjcgd1::*f)()) { return [this, f] { (this->*f)(); }; };
    keys = new KeyPreview(this);
    const auto wireButtons = [this, run](const auto& specs) {
        for (const auto& b : specs) {
            connectHandler(this->*b.button, &QAbstractButton::clicked, this, run(b.click));
            if (b.key)
                keys->mapKey(b.key, this->*b.button);
        }
    };
    wireButtons(kDocumentButtons);
    wireButtons(kLineButtons);
    const auto wirePickers = [this, run](const auto& specs) {
        for (const FieldSpec& f : specs)
            if (f.picker)
                connectHandler(this->*f.picker, &QAbstractButton::clicked, this, run(f.pickerClick));
    };
    wirePickers(kHeader);
    wirePickers(kBottom);
    connectHandler(N1, &QAction::triggered, SB2, &QAbstractButton::click);
    const std::pair<QAction*, void (TFtjcgd1::*)()> actions[] = {
        {N2, &TFtjcgd1::N2Click}, {N3, &TFtjcgd1::N3Click}, {N4, &TFtjcgd1::N4Click}};
    for (const auto& [action, f] : actions)
        connectHandler(action, &QAction::triggered, this, run(f));
    connectHandler(DBGrid1, &DataGrid::rowDoubleClicked, SB3, [this] { SB3->click(); });
    popMenuOnRelease(BB3, PM2);   // a release over 打印 drops the menu, as F7 does

    auto changed = [this](QLineEdit* e, std::function<void()> f) {
        connectHandler(e, &QLineEdit::textChanged, this, f);
    };
    changed(txm, [this] { txmChange(); });
    changed(dh, [this] { dhChange(); });
    changed(yhe, [this] { yheChange(); });
    changed(hjje, [this] { hjjeChange(); });
    changed(yfe, [this] { yfeChange(); });
    for (QLineEdit* e : {static_cast<QLineEdit*>(sfe), static_cast<QLineEdit*>(sl), static_cast<QLineEdit*>(jg)})
        changed(e, [e] {
            if (e->text().trimmed().isEmpty())
                zeroEmpty(e);
        });

    // Leaving a money field rounds it; a lone "-" left in it counts as 0 (not in the price,
    // which takes no sign).
    for (ExitEdit* e : {yhe, sfe, sl, jg}) {
        const bool signedField = e != jg;
        connectHandler(e, &ExitEdit::exited, this, [e, signedField] {
            if (signedField)
                zeroLoneMinus(e);
            roundTypedField(e);
        });
        installNumberFilter(e, signedField ? NumberKind::Signed : NumberKind::Unsigned);
    }
    // Leaving the warehouse empty for another field is refused; a button (关闭) still works.
    connectHandler(ck, &ExitEdit::exitedToField, this, run(&TFtjcgd1::ckExit));

    // The Enter chain. A chosen field: a double-click opens its picker; Enter opens it while
    // the field (for the code: the goods found) is empty, else moves on.
    const struct { ExitEdit* field; QLineEdit* filled; QAbstractButton* picker; QWidget* next; } picked[] = {
        {ck, ck, SpeedButton4, jsr}, {jsr, jsr, SpeedButton1, ghs}, {ghs, ghs, SpeedButton2, txm}, {txm, ppgg, SpeedButton3, sl}};
    for (const auto& p : picked) {
        if (p.field != txm)
            connectHandler(p.field, &ExitEdit::doubleClicked, p.picker, &QAbstractButton::click);
        keys->onEnter(p.field, [p] {
            if (p.filled->text().trimmed().isEmpty()) p.picker->click();
            else p.next->setFocus();
        });
    }
    const std::pair<QWidget*, QWidget*> moves[] = {
        {dh, ck}, {DateTimePicker1, jsr}, {ppgg, sl}, {jg, sl}, {yhe, bz}, {yfe, bz}, {sfe, bz}};
    for (const auto& [from, to] : moves)
        keys->enterMovesTo(from, to);
    keys->onEnter(sl, [this] { SB1->click(); });
    keys->onEnter(bz, [this] { BB4->click(); });
}

bool TFtjcgd1::modifyMode() const { return ztbj->text() == kModify; }

void TFtjcgd1::ensureOwnLines() { ensurePurchaseLines(*DM1, dh->text(), modifyMode()); }

// The header query must be open for the document's actions; the line query is made to hold
// the form's own lines. The purchase list closes the header query when it closes: the form
// then opens it again on the day's headers rather than give up the document in hand.
bool TFtjcgd1::guardQueries()
{
    Query& z = DM1->AQcgz1;
    if (!z.isOpen()) {
        z.setSql(purchaseHeadersOfDay(Clock::today()));
        z.open();
    }
    if (!z.isOpen()) {
        warnBox(kNotOpen);
        close();
        return false;
    }
    ensureOwnLines();
    return true;
}

// guardQueries, and the document has lines; else the warning given.
bool TFtjcgd1::guardLines(const QString& noneWarning)
{
    if (!guardQueries())
        return false;
    if (DM1->AQcgc1.recordCount() == 0) {
        warnBox(noneWarning);
        return false;
    }
    return true;
}

// Before saving or printing: the document has lines and its money keeps the sign rules.
bool TFtjcgd1::linesAndSignsHold()
{
    if (DM1->AQcgc1.recordCount() == 0) {
        infoBox(QStringLiteral("明细不可为空！"));
        return false;
    }
    const QString broken = purchaseSignRuleMessage(hjje->text(), yhe->text(), yfe->text(), sfe->text());
    if (!broken.isEmpty()) {
        infoBox(broken);
        return false;
    }
    return true;
}

void TFtjcgd1::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!started_) {
        started_ = true;
        // Coming back to the form (its MDI frame activated) shows its own lines again, whatever
        // another window (the purchase list's un-audit, the browser) left in the line query.
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
            connectHandler(frame, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates was, Qt::WindowStates now) {
                if (!(was & Qt::WindowActive) && (now & Qt::WindowActive))
                    activated();
            });
        newButton->click();
    }
}

bool TFtjcgd1::event(QEvent* e)
{
    // Outside an MDI frame the form is a window of its own.
    if (e->type() == QEvent::WindowActivate && isWindow())
        runGuarded([this] { activated(); });
    return QWidget::event(e);
}

void TFtjcgd1::activated()
{
    // Not while the held-document picker loads a document: it re-points the lines itself.
    if (started_ && !closing_ && !choosingHeld_ && DM1)
        ensureOwnLines();
}

void TFtjcgd1::closeEvent(QCloseEvent* e)
{
    if (!closing_) {
        closing_ = true;
        if (DM1)
            runGuarded([this] { rollbackPurchaseLineMarks(*DM1, dh->text(), true); });
        closeMdiForm(Fsp2);
    }
    e->accept();
    QWidget::closeEvent(e);
    // Closed from its own button or key, the form takes its MDI frame with it.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
}

void TFtjcgd1::BB6Click() { close(); }

// ---- new document and numbering -------------------------------------------------------

// The money fields, the totals and the entry row back to empty ("0" in the numbers).
void TFtjcgd1::clearEntry()
{
    for (QLineEdit* e : {static_cast<QLineEdit*>(yhe), yfe, static_cast<QLineEdit*>(sfe), hjsl, hjje})
        e->setText(kZero);
    txm->clear();
    ppgg->clear();
    dw->clear();
    sl->setText(kZero);
    jg->setText(kZero);
}

// Takes the next number; with the day's numbers used up, warns and closes the form.
bool TFtjcgd1::takeNumber(const std::optional<QString>& next)
{
    if (!next) {
        warnBox(kTooMany);
        close();
        return false;
    }
    dh->setText(*next);
    return true;
}

void TFtjcgd1::newClick()
{
    ck->setFocus();
    setWindowTitle(QStringLiteral("新增采购入库单"));
    ztbj->setText(kNew);
    DateTimePicker1->setDate(Clock::today());
    ck->clear();
    jsr->clear();
    ghs->clear();
    bz->clear();
    clearEntry();
    if (takeNumber(nextPurchaseNumber(*DM1, Clock::today())))
        dhChange();
}

void TFtjcgd1::rollbackLineMarks()
{
    if (choosingHeld_) {
        if (heldRolledBack_)
            return;
        heldRolledBack_ = true;
    }
    rollbackPurchaseLineMarks(*DM1, dh->text(), true);
}

// In new mode the line query follows the number.
void TFtjcgd1::dhChange()
{
    if (modifyMode())
        return;
    Query& q = DM1->AQcgc1;
    q.setSql(purchaseLinesStatement(dh->text(), false));
    q.open();
}

void TFtjcgd1::BB1Click()
{
    ensureOwnLines();
    if (modifyMode())
        rollbackPurchaseLineMarks(*DM1, dh->text(), true);
    else if (DM1->AQcgc1.recordCount() > 0)
        rollbackPurchaseLineMarks(*DM1, dh->text(), false);
    newButton->click();
}

void TFtjcgd1::BB2Click()
{
    // Taking a held document gives up the lines of the document in hand not yet saved.
    if (purchaseHasPendingLines(*DM1, dh->text())
        && !confirmBox(QStringLiteral("当前单据的明细尚未保存，取单将放弃这些明细，是否继续？")))
        return;
    heldRolledBack_ = false;
    choosingHeld_ = true;
    {
        const auto picked = qScopeGuard([this] { choosingHeld_ = false; });
        TFxzcg1 dlg(this);
        dlg.Edit2->setText(ghs->text());
        runModal(dlg);
    }
    // The picker has the document in hand give back its marks (rollbackLineMarks) just before
    // it loads the chosen one; without that, nothing was taken.
    if (!heldRolledBack_)
        return;
    // The held document is taken as it was saved: marks of its own left by a change that was
    // broken off (the program ended without closing the form) would otherwise be posted with
    // it while its totals leave them out.
    rollbackPurchaseLineMarks(*DM1, dh->text(), true);
    ensureOwnLines();
}

// ---- pickers ----------------------------------------------------------------------------

void TFtjcgd1::SpeedButton4Click() { TFck1(this).runFor(kTag); }
void TFtjcgd1::SpeedButton1Click() { TFyg2(this).runFor(kTag); }
void TFtjcgd1::SpeedButton2Click() { TFghs2(this).runFor(kTag); }

void TFtjcgd1::SpeedButton3Click()
{
    if (ck->text().trimmed().isEmpty()) {
        infoBox(kNoWarehouse);
        ck->setFocus();
        return;
    }
    // The picker appends to the line query and totals it: it must hold this document.
    ensureOwnLines();
    openOrActivate(Fsp2);
    Fsp2->xzbj->setText(kTag);
    for (int col = 4; col <= 7; ++col)
        Fsp2->DBGrid1->setColumnVisible(col, col == 4);
    Fsp2->Edit2->setText(ck->text());
    Query& q = DM1->AQsp1;
    const ControlsDisabled still(q);
    q.setSql({QStringLiteral("SELECT * FROM sp"), QStringLiteral("where ck=") + sqlQuote(ck->text()),
              QStringLiteral("order by id")});
    q.open();
}

void TFtjcgd1::txmChange()
{
    const std::optional<GoodsFound> g = findGoodsByCode(*DM1, txm->text(), ck->text());
    ppgg->setText(g ? g->ppgg : QString());
    dw->setText(g ? g->dw : QString());
    jg->setText(g ? g->jj : kZero);
}

// ---- lines ------------------------------------------------------------------------------

void TFtjcgd1::recomputeTotals()
{
    const PurchaseTotals t = purchaseLineTotals(*DM1);
    hjsl->setText(t.hjsl.plainText());
    hjje->setText(t.hjje.plainText());
}

void TFtjcgd1::SB1Click()
{
    if (!guardQueries())
        return;
    zeroLoneMinus(sl);
    roundTypedField(sl);
    roundTypedField(jg);
    if (ppgg->text().trimmed().isEmpty()) {
        infoBox(QStringLiteral("商品不可为空！"));
        txm->setFocus();
        return;
    }
    if (Money::parse(sl->text()).isZero()) {
        infoBox(QStringLiteral("数量不可为零！"));
        sl->setFocus();
        return;
    }
    const std::pair<const char*, QString> columns[] = {
        {"dh", dh->text()},     {"bj", QStringLiteral("dz")}, {"txm", txm->text()}, {"ppgg", ppgg->text()},
        {"dw", dw->text()},     {"sl", sl->text()},           {"jg", jg->text()},   {"zk", QStringLiteral("1")}};
    Query& q = DM1->AQcgc1;
    q.append();
    try {
        for (const auto& [column, text] : columns)
            q.setText(QString::fromLatin1(column), text);
        q.setText(QStringLiteral("je"), (q.money(QStringLiteral("sl")) * q.money(QStringLiteral("jg"))).format00());
        q.post();
    } catch (...) {
        q.cancel();
        throw;
    }
    txm->setFocus();
    txm->clear();
    ppgg->clear();
    dw->clear();
    recomputeTotals();
}

void TFtjcgd1::SB2Click()
{
    if (!guardLines(QStringLiteral("没有明细可删除！")))
        return;
    if (!confirmBox(QStringLiteral("确定要删除此明细么？")))
        return;
    Query& q = DM1->AQcgc1;
    ensureOwnLines();   // the question may have let another window re-point the query
    if (q.recordCount() == 0)
        return;
    {
        const ControlsDisabled still(q);
        try {
            if (modifyMode() && q.text(QStringLiteral("bj")) != QLatin1String("dz")) {
                q.edit();
                q.setText(QStringLiteral("bj"), QStringLiteral("ds"));
                q.post();
                q.setSql(purchaseLinesStatement(dh->text(), true));
                q.open();
            } else {
                // A pending line (new mode, or added during this change) goes at once.
                q.deleteRow();
            }
        } catch (...) {
            if (q.state() == Query::State::Edit)
                q.cancel();
            throw;
        }
    }
    recomputeTotals();
}

void TFtjcgd1::SB3Click()
{
    if (!guardLines(QStringLiteral("没有明细可修改！")))
        return;
    runLineDialog<TFxgmx1>(this, QStringLiteral("修改采购明细"), [](TFxgmx1& dlg) {
        const Query& q = DM1->AQcgc1;
        const std::pair<QLineEdit*, const char*> fields[] = {{dlg.txm, "txm"}, {dlg.ppgg, "ppgg"}, {dlg.dw, "dw"},
                                                             {dlg.sl, "sl"},   {dlg.jg, "jg"},     {dlg.zk, "zk"},
                                                             {dlg.je, "je"}};
        for (const auto& [field, column] : fields)
            field->setText(q.text(QString::fromLatin1(column)));
    });
}

void TFtjcgd1::N2Click()
{
    if (!guardLines(QStringLiteral("没有明细可设置！")))
        return;
    runLineDialog<TFxgmx4>(this, QStringLiteral("采购单折扣率"), [](TFxgmx4& dlg) { dlg.zk->setText(QStringLiteral("1")); });
}

// ---- money fields -----------------------------------------------------------------------

void TFtjcgd1::yheChange()
{
    if (yhe->text().trimmed().isEmpty()) {
        zeroEmpty(yhe);   // runs this handler again with "0"
        return;
    }
    if (isLoneMinus(yhe))
        yfe->setText(hjje->text());
    else
        hjjeChange();
}

// Payable = total - discount; a lone "-" in the discount counts as 0.
void TFtjcgd1::hjjeChange()
{
    const Money discount = isLoneMinus(yhe) ? Money() : Money::parse(yhe->text());
    yfe->setText((Money::parse(hjje->text()) - discount).plainText());
}

void TFtjcgd1::yfeChange() { sfe->setText(yfe->text()); }

void TFtjcgd1::ckExit()
{
    if (ck->text().trimmed().isEmpty()) {
        infoBox(kNoWarehouse);
        ck->setFocus();
    }
}

// ---- holding and settling ---------------------------------------------------------------

void TFtjcgd1::BB4Click() { saveDocument(true); }
void TFtjcgd1::BB5Click() { saveDocument(false); }

PurchaseSaveInput TFtjcgd1::saveInput(bool settle) const
{
    return PurchaseSaveInput{.modifyMode = modifyMode(), .settle = settle, .dh = dh->text(),
                             .rq = DateTimePicker1->date(), .ck = ck->text(), .ghs = ghs->text(),
                             .jsr = jsr->text(), .bz = bz->text(), .hjsl = hjsl->text(),
                             .hjje = hjje->text(), .yhe = yhe->text(), .yfe = yfe->text(),
                             .sfe = sfe->text(), .zhidan = currentOperatorName(), .today = Clock::today()};
}

void TFtjcgd1::saveDocument(bool settle)
{
    if (!guardQueries())
        return;

    // Normalise the money texts.
    const std::initializer_list<QLineEdit*> money{yhe, yfe, sfe};
    for (QLineEdit* e : money)
        zeroLoneMinus(e);
    for (QLineEdit* e : money)
        roundTypedField(e);

    const struct { QLineEdit* field; const char* message; } required[] = {
        {ck, "仓库不可为空！"}, {jsr, "经办人不可为空！"}, {ghs, "厂商不可为空！"}};
    for (const auto& r : required) {
        if (r.field->text().trimmed().isEmpty()) {
            infoBox(QString::fromUtf8(r.message));
            r.field->setFocus();
            return;
        }
    }
    if (!linesAndSignsHold())
        return;

    const PurchaseSaveInput in = saveInput(settle);
    if (savePurchase(*DM1, in) == PurchaseSaveResult::HeldHeaderMissing) {
        warnBox(QStringLiteral("此挂单已不存在或已审核，不能再保存！"));
        return;
    }

    if (in.modifyMode) {
        newButton->click();
        return;
    }
    // The next document of the same kind keeps date, warehouse, employee and remark.
    ghs->setFocus();
    ghs->clear();
    clearEntry();
    takeNumber(nextPurchaseNumberAfter(*DM1, dh->text(), Clock::today()));
}

// The hidden posting button. Settling posts inside the save's transaction; a click on this
// button settles the document in hand the same way (checks, header, posting and marks, all or
// nothing), never posts lines without their audited header.
void TFtjcgd1::shenheClick() { saveDocument(true); }

// ---- printing ---------------------------------------------------------------------------

void TFtjcgd1::BB3Popup()
{
    PM2->popup(BB3->mapToGlobal(QPoint(0, BB3->height())));
}

void TFtjcgd1::N3Click() { printDocument(true); }
void TFtjcgd1::N4Click() { printDocument(false); }

void TFtjcgd1::printDocument(bool withCodes)
{
    Query& q = DM1->AQcgc1;
    runGuarded([this] { ensureOwnLines(); });
    if (!q.isOpen()) {
        warnBox(QStringLiteral("数据未打开，关闭窗口后重新打开！"));
        close();
        return;
    }
    if (!linesAndSignsHold())
        return;
    PurchasePrintFields f;
    f.rq = DateTimePicker1->date().toString(QStringLiteral("yyyy-MM-dd"));
    f.dh = dh->text();
    f.ghs = ghs->text();
    f.jsr = jsr->text();
    f.bz = bz->text();
    f.hjsl = hjsl->text();
    f.hjje = hjje->text();
    previewPurchaseDocument(withCodes, f, q);
}
