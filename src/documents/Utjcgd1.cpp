#include "Utjcgd1.h"

#include "basic/PickerTargets.h"
#include "data/Clock.h"
#include "data/DM1.h"
#include "documents/purchase_numbering.h"
#include "documents/purchase_posting.h"
#include "documents/purchase_print.h"
#include "documents/purchase_save.h"
#include "shell/Umain1.h"
#include "ui/Controls.h"
#include "ui/DataGrid.h"
#include "ui/Forms.h"
#include "ui/Messages.h"
#include "ui/Modal.h"

// Pickers and line dialogs come from their own units; the form uses each one once its unit
// is part of the build.
#if __has_include("basic/Uck1.h")
#include "basic/Uck1.h"
#define HAVE_TFCK1 1
#endif
#if __has_include("basic/Ughs2.h")
#include "basic/Ughs2.h"
#define HAVE_TFGHS2 1
#endif
#if __has_include("basic/Uyg2.h")
#include "basic/Uyg2.h"
#define HAVE_TFYG2 1
#endif
#if __has_include("basic/Usp2.h")
#include "basic/Usp2.h"
#define HAVE_TFSP2 1
#endif
#if __has_include("documents/Uxgmx1.h")
#include "documents/Uxgmx1.h"
#define HAVE_TFXGMX1 1
#elif __has_include("basic/Uxgmx1.h")
#include "basic/Uxgmx1.h"
#define HAVE_TFXGMX1 1
#endif
#if __has_include("documents/Uxgmx4.h")
#include "documents/Uxgmx4.h"
#define HAVE_TFXGMX4 1
#elif __has_include("basic/Uxgmx4.h")
#include "basic/Uxgmx4.h"
#define HAVE_TFXGMX4 1
#endif
#if __has_include("documents/Uxzcg1.h")
#include "documents/Uxzcg1.h"
#define HAVE_TFXZCG1 1
#endif

#include <QAction>
#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <exception>
#include <functional>

QPointer<TFtjcgd1> Ftjcgd1;

namespace {
const QString kTag = QStringLiteral("tjcg");
const QString kNew = QStringLiteral("新增");
const QString kModify = QStringLiteral("修改");
const QString kNotOpen = QStringLiteral("采购数据未打开，关闭窗口后重新打开！");
const QString kNoWarehouse = QStringLiteral("仓库不可为空！");
const QString kTooMany = QStringLiteral("每天录入不可超过999单！");

// Runs a handler; an error (database, a number's text) goes to the default error box and
// the handler stops where it failed.
void guarded(const std::function<void()>& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        showErrorBox(QString::fromUtf8(e.what()));
    }
}

template <class W>
W* named(W* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
}

TFtjcgd1::TFtjcgd1(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Ftjcgd1"));
    setWindowTitle(QStringLiteral("新增采购入库单"));
    setFixedSize(812, 523);
    buildControls();
    wireHandlers();
    Ftjcgd1 = this;
}

TFtjcgd1::~TFtjcgd1() = default;

void TFtjcgd1::buildControls()
{
    auto label = [this](const QString& text, int x, int y, int w = 40) {
        auto* l = new QLabel(text, this);
        l->setGeometry(x, y, w, 22);
        return l;
    };
    auto place = [](QWidget* w, int x, int y, int width, int height) { w->setGeometry(x, y, width, height); };
    auto readOnly = [](QLineEdit* e) {
        e->setReadOnly(true);
        QPalette p = e->palette();
        p.setColor(QPalette::Base, QColor(0xF0, 0xF0, 0xF0));
        e->setPalette(p);
    };

    // Header, first row.
    label(QStringLiteral("日期"), 8, 10, 30);
    DateTimePicker1 = named(new DatePicker(this), "DateTimePicker1");
    place(DateTimePicker1, 38, 10, 104, 22);
    label(QStringLiteral("仓库"), 150, 10, 30);
    ck = named(new ExitEdit(this), "ck");
    place(ck, 180, 10, 90, 22);
    readOnly(ck);
    SpeedButton4 = named(new SpeedButton(QStringLiteral("…"), this), "SpeedButton4");
    place(SpeedButton4, 270, 10, 22, 22);
    SpeedButton4->setToolTip(QStringLiteral("选择仓库"));
    label(QStringLiteral("经办人"), 300, 10, 44);
    jsr = named(new ExitEdit(this), "jsr");
    place(jsr, 344, 10, 80, 22);
    readOnly(jsr);
    SpeedButton1 = named(new SpeedButton(QStringLiteral("…"), this), "SpeedButton1");
    place(SpeedButton1, 424, 10, 22, 22);
    SpeedButton1->setToolTip(QStringLiteral("选择经办人"));
    label(QStringLiteral("厂商"), 454, 10, 30);
    ghs = named(new ExitEdit(this), "ghs");
    place(ghs, 484, 10, 150, 22);
    readOnly(ghs);
    SpeedButton2 = named(new SpeedButton(QStringLiteral("…"), this), "SpeedButton2");
    place(SpeedButton2, 634, 10, 22, 22);
    SpeedButton2->setToolTip(QStringLiteral("选择厂商"));

    // Header, second row.
    label(QStringLiteral("优惠额"), 8, 40, 44);
    yhe = named(new ExitEdit(this), "yhe");
    place(yhe, 52, 40, 90, 22);
    yhe->setToolTip(QStringLiteral("正负方向必须跟总金额一致"));
    label(QStringLiteral("应付额"), 150, 40, 44);
    yfe = named(new QLineEdit(this), "yfe");
    place(yfe, 194, 40, 98, 22);
    readOnly(yfe);
    yfe->setToolTip(QStringLiteral("应付额＜0：表示应退款"));
    label(QStringLiteral("实付额"), 300, 40, 44);
    sfe = named(new ExitEdit(this), "sfe");
    place(sfe, 344, 40, 102, 22);
    sfe->setToolTip(QStringLiteral("正负方向必须跟应付额一致"));
    label(QStringLiteral("备注"), 454, 40, 30);
    bz = named(new ExitEdit(this), "bz");
    place(bz, 484, 40, 172, 22);

    // Title box at the top right.
    auto* box = new QFrame(this);
    box->setObjectName(QStringLiteral("titleBox"));
    box->setFrameShape(QFrame::Box);
    box->setFrameShadow(QFrame::Sunken);
    place(box, 664, 4, 142, 100);
    ztbj = named(new QLabel(kNew, box), "ztbj");
    place(ztbj, 6, 4, 60, 18);
    Label1 = named(new QLabel(QStringLiteral("采购入库单"), box), "Label1");
    QFont tf = Label1->font();
    tf.setPointSize(16);
    tf.setBold(true);
    Label1->setFont(tf);
    Label1->setAlignment(Qt::AlignCenter);
    place(Label1, 0, 18, 142, 30);
    shbj = named(new QLabel(QStringLiteral("未审核"), box), "shbj");
    QPalette red = shbj->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    shbj->setPalette(red);
    shbj->setAlignment(Qt::AlignCenter);
    place(shbj, 0, 48, 142, 20);
    dh = named(new QLineEdit(box), "dh");
    place(dh, 10, 70, 122, 22);
    dh->setAlignment(Qt::AlignCenter);
    readOnly(dh);

    // The lines.
    DBGrid1 = named(new DataGrid(this), "DBGrid1");
    place(DBGrid1, 8, 70, 650, 372);
    DBGrid1->setToolTip(QStringLiteral("双点列表可修改明细"));
    PM1 = new QMenu(this);
    PM1->setObjectName(QStringLiteral("PM1"));
    N1 = named(PM1->addAction(QStringLiteral("删除明细")), "N1");
    N2 = named(PM1->addAction(QStringLiteral("整单折扣")), "N2");
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    QVector<GridColumn> cols;
    cols.push_back({QStringLiteral("txm"), QStringLiteral("编码"), 110, Qt::AlignLeft | Qt::AlignVCenter, false, QColor(), true, PM1});
    cols.push_back({QStringLiteral("ppgg"), QStringLiteral("商品名称"), 220, Qt::AlignLeft | Qt::AlignVCenter, false, QColor(), true, PM1});
    cols.push_back({QStringLiteral("dw"), QStringLiteral("单位"), 40, Qt::AlignCenter, true, QColor(), true, PM1});
    cols.push_back({QStringLiteral("sl"), QStringLiteral("数量"), 60, right, false, QColor(), true, PM1});
    cols.push_back({QStringLiteral("jg"), QStringLiteral("单价"), 80, right, false, QColor(), true, PM1});
    cols.push_back({QStringLiteral("zk"), QStringLiteral("折扣"), 40, right, false, QColor(), true, nullptr});
    cols.push_back({QStringLiteral("je"), QStringLiteral("金额"), 80, right, false, QColor(), true, PM1});
    DBGrid1->setColumns(cols);
    DBGrid1->setQuery(&DM1->AQcgc1);
    DBGrid1->setRowStyler([](int row) {
        RowStyle s;
        const Query& q = DM1->AQcgc1;
        const int col = q.fieldIndex(QStringLiteral("sl"));
        if (col >= 0 && row >= 0 && row < q.recordCount() && q.cellMoney(row, col).isNegative())
            s.font = Qt::red;
        return s;
    });

    // Document buttons in a column at the right.
    struct Doc { QPushButton** b; const char* name; const char* caption; const char* hint; };
    const Doc docs[] = {
        {&BB1, "BB1", "开单-F5", "新增单据"},
        {&BB2, "BB2", "取单-F6", "打开挂单"},
        {&BB3, "BB3", "打印-F7", "打印单据"},
        {&BB4, "BB4", "结单-F8", "正式保存并审核，收款，过帐"},
        {&BB5, "BB5", "挂单-F9", "临时保存不审核，不收款，不过帐"},
        {&BB6, "BB6", "关闭-ESC", ""},
    };
    int y = 112;
    for (const Doc& d : docs) {
        *d.b = named(new QPushButton(QString::fromUtf8(d.caption), this), d.name);
        place(*d.b, 666, y, 138, 40);
        if (*d.hint)
            (*d.b)->setToolTip(QString::fromUtf8(d.hint));
        y += 50;
    }
    newButton = named(new QPushButton(QStringLiteral("新开单"), this), "new");
    newButton->hide();
    shenhe = named(new QPushButton(QStringLiteral("shenhe"), this), "shenhe");
    shenhe->hide();
    PM2 = new QMenu(this);
    PM2->setObjectName(QStringLiteral("PM2"));
    N3 = named(PM2->addAction(QStringLiteral("带编码打印")), "N3");
    N4 = named(PM2->addAction(QStringLiteral("不带编码打印")), "N4");

    // Totals.
    label(QStringLiteral("总数量:"), 8, 452, 50);
    hjsl = named(new QLineEdit(this), "hjsl");
    place(hjsl, 58, 452, 110, 22);
    readOnly(hjsl);
    label(QStringLiteral("总金额:"), 180, 452, 50);
    hjje = named(new QLineEdit(this), "hjje");
    place(hjje, 230, 452, 130, 22);
    readOnly(hjje);

    // The entry row and the line buttons.
    label(QStringLiteral("编码"), 8, 488, 30);
    txm = named(new ExitEdit(this), "txm");
    place(txm, 38, 488, 120, 24);
    SpeedButton3 = named(new SpeedButton(QStringLiteral("…"), this), "SpeedButton3");
    place(SpeedButton3, 158, 488, 24, 24);
    SpeedButton3->setToolTip(QStringLiteral("选择商品"));
    label(QStringLiteral("品名"), 190, 488, 30);
    ppgg = named(new QLineEdit(this), "ppgg");
    place(ppgg, 220, 488, 220, 24);
    readOnly(ppgg);
    dw = named(new QLineEdit(this), "dw");
    dw->hide();
    label(QStringLiteral("单价"), 448, 488, 30);
    jg = named(new ExitEdit(this), "jg");
    place(jg, 478, 488, 70, 24);
    label(QStringLiteral("数量"), 556, 488, 30);
    sl = named(new ExitEdit(this), "sl");
    place(sl, 586, 488, 70, 24);
    struct Line { SpeedButton** b; const char* name; const char* caption; const char* hint; int x; };
    const Line lines[] = {
        {&SB1, "SB1", "F10", "新增明细", 666},
        {&SB2, "SB2", "F11", "删除明细", 713},
        {&SB3, "SB3", "F12", "修改明细", 760},
    };
    for (const Line& l : lines) {
        *l.b = named(new SpeedButton(QString::fromUtf8(l.caption), this), l.name);
        place(*l.b, l.x, 486, 44, 28);
        (*l.b)->setToolTip(QString::fromUtf8(l.hint));
    }

    for (QLineEdit* e : {static_cast<QLineEdit*>(yhe), yfe, static_cast<QLineEdit*>(sfe), static_cast<QLineEdit*>(jg),
                         static_cast<QLineEdit*>(sl), hjsl, hjje})
        e->setText(QStringLiteral("0"));

    setTabOrder(DateTimePicker1, ck);
    setTabOrder(ck, jsr);
    setTabOrder(jsr, ghs);
    setTabOrder(ghs, yhe);
    setTabOrder(yhe, sfe);
    setTabOrder(sfe, bz);
    setTabOrder(bz, txm);
    setTabOrder(txm, jg);
    setTabOrder(jg, sl);

    // Pickers write into these through the tag.
    PickerTargets::registerField(kTag, QStringLiteral("ck"), ck);
    PickerTargets::registerField(kTag, QStringLiteral("jsr"), jsr);
    PickerTargets::registerField(kTag, QStringLiteral("ghs"), ghs);
    PickerTargets::registerField(kTag, QStringLiteral("dh"), dh);
    // The goods picker and the line dialogs write totals of the shared line query; another
    // window may have re-pointed it meanwhile, so the form takes the totals of its own lines
    // (the same sums when the query holds them).
    auto totals = [this](QLineEdit* field) {
        PickerTargets::registerField(
            kTag, field->objectName(), field,
            [this](const QString&) { guarded([this] { ensureOwnLines(); recomputeTotals(); }); },
            [field] { return field->text(); });
    };
    totals(hjsl);
    totals(hjje);
}

void TFtjcgd1::wireHandlers()
{
    auto on = [](QAbstractButton* b, void (TFtjcgd1::*f)(), TFtjcgd1* self) {
        QObject::connect(b, &QAbstractButton::clicked, self, [self, f] { guarded([self, f] { (self->*f)(); }); });
    };
    on(newButton, &TFtjcgd1::newClick, this);
    on(BB1, &TFtjcgd1::BB1Click, this);
    on(BB2, &TFtjcgd1::BB2Click, this);
    on(BB3, &TFtjcgd1::BB3Popup, this);
    on(BB4, &TFtjcgd1::BB4Click, this);
    on(BB5, &TFtjcgd1::BB5Click, this);
    connect(BB6, &QAbstractButton::clicked, this, &QWidget::close);
    on(shenhe, &TFtjcgd1::shenheClick, this);
    on(SB1, &TFtjcgd1::SB1Click, this);
    on(SB2, &TFtjcgd1::SB2Click, this);
    on(SB3, &TFtjcgd1::SB3Click, this);
    on(SpeedButton1, &TFtjcgd1::SpeedButton1Click, this);
    on(SpeedButton2, &TFtjcgd1::SpeedButton2Click, this);
    on(SpeedButton3, &TFtjcgd1::SpeedButton3Click, this);
    on(SpeedButton4, &TFtjcgd1::SpeedButton4Click, this);
    connect(N1, &QAction::triggered, SB2, &QAbstractButton::click);
    connect(N2, &QAction::triggered, this, [this] { guarded([this] { N2Click(); }); });
    connect(N3, &QAction::triggered, this, [this] { guarded([this] { N3Click(); }); });
    connect(N4, &QAction::triggered, this, [this] { guarded([this] { N4Click(); }); });
    connect(DBGrid1, &DataGrid::rowDoubleClicked, SB3, [this] { SB3->click(); });
    BB3->installEventFilter(this);

    connect(ck, &ExitEdit::doubleClicked, SpeedButton4, &QAbstractButton::click);
    connect(jsr, &ExitEdit::doubleClicked, SpeedButton1, &QAbstractButton::click);
    connect(ghs, &ExitEdit::doubleClicked, SpeedButton2, &QAbstractButton::click);

    auto changed = [this](QLineEdit* e, std::function<void()> f) {
        connect(e, &QLineEdit::textChanged, this, [f] { guarded(f); });
    };
    changed(txm, [this] { txmChange(); });
    changed(dh, [this] { dhChange(); });
    changed(yhe, [this] { yheChange(); });
    changed(hjje, [this] { hjjeChange(); });
    changed(yfe, [this] { yfeChange(); });
    changed(sfe, [this] { emptyToZero(sfe); });
    changed(sl, [this] { emptyToZero(sl); });
    changed(jg, [this] { emptyToZero(jg); });

    auto exited = [this](ExitEdit* e, std::function<void()> f) {
        connect(e, &ExitEdit::exited, this, [f] { guarded(f); });
    };
    exited(yhe, [this] { leaveNumber(yhe, true); });
    exited(sfe, [this] { leaveNumber(sfe, true); });
    exited(sl, [this] { leaveNumber(sl, true); });
    exited(jg, [this] { leaveNumber(jg, false); });
    exited(ck, [this] { ckExit(); });

    installNumberFilter(sl, NumberKind::Signed);
    installNumberFilter(yhe, NumberKind::Signed);
    installNumberFilter(sfe, NumberKind::Signed);
    installNumberFilter(jg, NumberKind::Unsigned);

    keys = new KeyPreview(this);
    keys->mapKey(Qt::Key_F5, BB1);
    keys->mapKey(Qt::Key_F6, BB2);
    keys->mapKey(Qt::Key_F7, BB3);
    keys->mapKey(Qt::Key_F8, BB4);
    keys->mapKey(Qt::Key_F9, BB5);
    keys->mapKey(Qt::Key_Escape, BB6);
    keys->mapKey(Qt::Key_F10, SB1);
    keys->mapKey(Qt::Key_F11, SB2);
    keys->mapKey(Qt::Key_F12, SB3);
    keys->enterMovesTo(dh, ck);
    keys->enterMovesTo(DateTimePicker1, jsr);
    keys->onEnter(ck, [this] {
        if (ck->text().trimmed().isEmpty()) SpeedButton4->click();
        else jsr->setFocus();
    });
    keys->onEnter(jsr, [this] {
        if (jsr->text().trimmed().isEmpty()) SpeedButton1->click();
        else ghs->setFocus();
    });
    keys->onEnter(ghs, [this] {
        if (ghs->text().trimmed().isEmpty()) SpeedButton2->click();
        else txm->setFocus();
    });
    keys->onEnter(txm, [this] {
        if (ppgg->text().trimmed().isEmpty()) SpeedButton3->click();
        else sl->setFocus();
    });
    keys->enterMovesTo(ppgg, sl);
    keys->enterMovesTo(jg, sl);
    keys->onEnter(sl, [this] { SB1->click(); });
    keys->enterMovesTo(yhe, bz);
    keys->enterMovesTo(yfe, bz);
    keys->enterMovesTo(sfe, bz);
    keys->onEnter(bz, [this] { BB4->click(); });
}

bool TFtjcgd1::modifyMode() const { return ztbj->text() == kModify; }

void TFtjcgd1::ensureOwnLines() { ensurePurchaseLines(*DM1, dh->text(), modifyMode()); }

// The header query must be open for the document's actions; the line query is made to hold
// the form's own lines.
bool TFtjcgd1::guardQueries()
{
    if (!DM1->AQcgz1.isOpen()) {
        warnBox(kNotOpen);
        close();
        return false;
    }
    ensureOwnLines();
    return true;
}

void TFtjcgd1::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!started_) {
        started_ = true;
        newButton->click();
    }
}

void TFtjcgd1::closeEvent(QCloseEvent* e)
{
    if (!closing_) {
        closing_ = true;
        if (DM1)
            guarded([this] { rollbackPurchaseLineMarks(*DM1, dh->text(), true); });
#ifdef HAVE_TFSP2
        closeMdiForm(Fsp2);
#endif
    }
    e->accept();
    QWidget::closeEvent(e);
    // Closed from its own button or key, the form takes its MDI frame with it.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
}

bool TFtjcgd1::eventFilter(QObject* obj, QEvent* e)
{
    if (obj == BB3 && e->type() == QEvent::MouseButtonRelease) {
        // The print menu opens on releasing any mouse button over the button; the release is
        // taken here so it does not also click the button.
        BB3->setDown(false);
        if (BB3->rect().contains(static_cast<QMouseEvent*>(e)->position().toPoint()))
            BB3Popup();
        return true;
    }
    return QWidget::eventFilter(obj, e);
}

// ---- new document and numbering -------------------------------------------------------

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
    yhe->setText(QStringLiteral("0"));
    yfe->setText(QStringLiteral("0"));
    sfe->setText(QStringLiteral("0"));
    txm->clear();
    ppgg->clear();
    dw->clear();
    sl->setText(QStringLiteral("0"));
    jg->setText(QStringLiteral("0"));
    hjsl->setText(QStringLiteral("0"));
    hjje->setText(QStringLiteral("0"));
    const std::optional<QString> next = nextPurchaseNumber(*DM1, Clock::today());
    if (!next) {
        warnBox(kTooMany);
        close();
        return;
    }
    dh->setText(*next);
    Query& q = DM1->AQcgc1;
    q.setSql(purchaseLinesStatement(dh->text(), false));
    q.open();
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
#ifdef HAVE_TFXZCG1
    heldOldDh_ = dh->text();
    heldRolledBack_ = false;
    choosingHeld_ = true;
    {
        TFxzcg1 dlg(this);
        dlg.Edit2->setText(ghs->text());
        try {
            runModal(dlg);
        } catch (...) {
            choosingHeld_ = false;
            throw;
        }
    }
    choosingHeld_ = false;
    // The picker leaves the line query on the chosen document's saved lines.
    const QStringList loaded{QStringLiteral("SELECT * FROM cgglc"), QStringLiteral("where dh=") + sqlQuote(dh->text()),
                             QStringLiteral("and bj='yz'"), QStringLiteral("order by id")};
    const bool chosen = heldRolledBack_ || DM1->AQcgc1.sqlLines() == loaded;
    if (!chosen)
        return;
    if (!heldRolledBack_) {
        heldRolledBack_ = true;
        rollbackPurchaseLineMarks(*DM1, heldOldDh_, true);
    }
    ensureOwnLines();
#endif
}

// ---- pickers ----------------------------------------------------------------------------

void TFtjcgd1::SpeedButton4Click()
{
#ifdef HAVE_TFCK1
    TFck1 dlg(this);
    dlg.xzbj->setText(kTag);
    runModal(dlg);
#endif
}

void TFtjcgd1::SpeedButton1Click()
{
#ifdef HAVE_TFYG2
    TFyg2 dlg(this);
    dlg.xzbj->setText(kTag);
    runModal(dlg);
#endif
}

void TFtjcgd1::SpeedButton2Click()
{
#ifdef HAVE_TFGHS2
    TFghs2 dlg(this);
    dlg.xzbj->setText(kTag);
    runModal(dlg);
#endif
}

void TFtjcgd1::SpeedButton3Click()
{
    if (ck->text().trimmed().isEmpty()) {
        infoBox(kNoWarehouse);
        ck->setFocus();
        return;
    }
    // The picker appends to the line query and totals it: it must hold this document.
    ensureOwnLines();
#ifdef HAVE_TFSP2
    if (!ActivateIfOpen(Fsp2)) {
        Fsp2 = new TFsp2();
        showMdiChild(Fsp2);
    }
    Fsp2->xzbj->setText(kTag);
    Fsp2->DBGrid1->setColumnVisible(4, true);
    Fsp2->DBGrid1->setColumnVisible(5, false);
    Fsp2->DBGrid1->setColumnVisible(6, false);
    Fsp2->DBGrid1->setColumnVisible(7, false);
    Fsp2->Edit2->setText(ck->text());
#endif
    Query& q = DM1->AQsp1;
    q.disableControls();
    try {
        q.clearSql();
        q.addSql(QStringLiteral("SELECT * FROM sp"));
        q.addSql(QStringLiteral("where ck=") + sqlQuote(ck->text()));
        q.addSql(QStringLiteral("order by id"));
        q.open();
    } catch (...) {
        q.enableControls();
        throw;
    }
    q.enableControls();
}

void TFtjcgd1::txmChange()
{
    Query& q = DM1->AQsp1;
    q.clearSql();
    q.addSql(QStringLiteral("SELECT * FROM sp"));
    q.addSql(QStringLiteral("where txm=") + sqlQuote(txm->text()));
    q.addSql(QStringLiteral("and ck=") + sqlQuote(ck->text()));
    q.open();
    if (q.recordCount() == 1) {
        ppgg->setText(q.text(QStringLiteral("ppgg")));
        dw->setText(q.text(QStringLiteral("dw")));
        jg->setText(q.text(QStringLiteral("jj")));
    } else {
        ppgg->clear();
        dw->clear();
        jg->setText(QStringLiteral("0"));
    }
}

// ---- lines ------------------------------------------------------------------------------

void TFtjcgd1::recomputeTotals()
{
    // Summed over the rows in hand without moving the current line.
    const Query& q = DM1->AQcgc1;
    const int csl = q.fieldIndex(QStringLiteral("sl"));
    const int cje = q.fieldIndex(QStringLiteral("je"));
    Money tsl, tje;
    for (int row = 0; row < q.recordCount(); ++row) {
        tsl += q.cellMoney(row, csl);
        tje += q.cellMoney(row, cje);
    }
    hjsl->setText(tsl.plainText());
    hjje->setText(tje.plainText());
}

void TFtjcgd1::SB1Click()
{
    if (!guardQueries())
        return;
    if (sl->text().trimmed() == QLatin1String("-"))
        sl->setText(QStringLiteral("0"));
    const QString slText = roundTypedText(sl->text());
    if (slText != sl->text())
        sl->setText(slText);
    const QString jgText = roundTypedText(jg->text());
    if (jgText != jg->text())
        jg->setText(jgText);
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
    Query& q = DM1->AQcgc1;
    q.append();
    try {
        q.setText(QStringLiteral("dh"), dh->text());
        q.setText(QStringLiteral("bj"), QStringLiteral("dz"));
        q.setText(QStringLiteral("txm"), txm->text());
        q.setText(QStringLiteral("ppgg"), ppgg->text());
        q.setText(QStringLiteral("dw"), dw->text());
        q.setText(QStringLiteral("sl"), sl->text());
        q.setText(QStringLiteral("jg"), jg->text());
        q.setText(QStringLiteral("zk"), QStringLiteral("1"));
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
    if (!guardQueries())
        return;
    Query& q = DM1->AQcgc1;
    if (q.recordCount() == 0) {
        warnBox(QStringLiteral("没有明细可删除！"));
        return;
    }
    if (!confirmBox(QStringLiteral("确定要删除此明细么？")))
        return;
    ensureOwnLines();   // the question may have let another window re-point the query
    if (q.recordCount() == 0)
        return;
    q.disableControls();
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
        q.enableControls();
        throw;
    }
    q.enableControls();
    recomputeTotals();
}

void TFtjcgd1::SB3Click()
{
    if (!guardQueries())
        return;
    Query& q = DM1->AQcgc1;
    if (q.recordCount() == 0) {
        warnBox(QStringLiteral("没有明细可修改！"));
        return;
    }
#ifdef HAVE_TFXGMX1
    TFxgmx1 dlg(this);
    dlg.setWindowTitle(QStringLiteral("修改采购明细"));
    dlg.ST1->setText(QStringLiteral("cgmx"));
    dlg.txm->setText(q.text(QStringLiteral("txm")));
    dlg.ppgg->setText(q.text(QStringLiteral("ppgg")));
    dlg.dw->setText(q.text(QStringLiteral("dw")));
    dlg.sl->setText(q.text(QStringLiteral("sl")));
    dlg.jg->setText(q.text(QStringLiteral("jg")));
    dlg.zk->setText(q.text(QStringLiteral("zk")));
    dlg.je->setText(q.text(QStringLiteral("je")));
    runModal(dlg);
#endif
}

void TFtjcgd1::N2Click()
{
    if (!guardQueries())
        return;
    if (DM1->AQcgc1.recordCount() == 0) {
        warnBox(QStringLiteral("没有明细可设置！"));
        return;
    }
#ifdef HAVE_TFXGMX4
    TFxgmx4 dlg(this);
    dlg.setWindowTitle(QStringLiteral("采购单折扣率"));
    dlg.ST1->setText(QStringLiteral("cgmx"));
    dlg.zk->setText(QStringLiteral("1"));
    runModal(dlg);
#endif
}

// ---- money fields -----------------------------------------------------------------------

void TFtjcgd1::emptyToZero(QLineEdit* e)
{
    if (e->text().trimmed().isEmpty())
        e->setText(QStringLiteral("0"));
}

void TFtjcgd1::yheChange()
{
    if (yhe->text().trimmed().isEmpty()) {
        yhe->setText(QStringLiteral("0"));   // runs this handler again with "0"
        return;
    }
    if (yhe->text().trimmed() == QLatin1String("-"))
        yfe->setText(hjje->text());
    else
        yfe->setText((Money::parse(hjje->text()) - Money::parse(yhe->text())).plainText());
}

void TFtjcgd1::hjjeChange()
{
    const Money discount = yhe->text().trimmed() == QLatin1String("-") ? Money() : Money::parse(yhe->text());
    yfe->setText((Money::parse(hjje->text()) - discount).plainText());
}

void TFtjcgd1::yfeChange() { sfe->setText(yfe->text()); }

void TFtjcgd1::leaveNumber(QLineEdit* e, bool loneMinusToZero)
{
    if (loneMinusToZero && e->text().trimmed() == QLatin1String("-"))
        e->setText(QStringLiteral("0"));
    const QString rounded = roundTypedText(e->text());
    if (rounded != e->text())
        e->setText(rounded);
}

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

void TFtjcgd1::saveDocument(bool settle)
{
    if (!guardQueries())
        return;

    // Normalise the money texts.
    if (yhe->text().trimmed() == QLatin1String("-"))
        yhe->setText(QStringLiteral("0"));
    if (yfe->text().trimmed() == QLatin1String("-"))
        yfe->setText(QStringLiteral("0"));
    if (sfe->text().trimmed() == QLatin1String("-"))
        sfe->setText(QStringLiteral("0"));
    for (QLineEdit* e : {static_cast<QLineEdit*>(yhe), yfe, static_cast<QLineEdit*>(sfe)}) {
        const QString rounded = roundTypedText(e->text());
        if (rounded != e->text())
            e->setText(rounded);
    }

    const struct { QLineEdit* field; const char* message; } required[] = {
        {ck, "仓库不可为空！"}, {jsr, "经办人不可为空！"}, {ghs, "厂商不可为空！"}};
    for (const auto& r : required) {
        if (r.field->text().trimmed().isEmpty()) {
            infoBox(QString::fromUtf8(r.message));
            r.field->setFocus();
            return;
        }
    }
    if (DM1->AQcgc1.recordCount() == 0) {
        infoBox(QStringLiteral("明细不可为空！"));
        return;
    }
    const QString broken = purchaseSignRuleMessage(hjje->text(), yhe->text(), yfe->text(), sfe->text());
    if (!broken.isEmpty()) {
        infoBox(broken);
        return;
    }

    PurchaseSaveInput in;
    in.modifyMode = modifyMode();
    in.settle = settle;
    in.dh = dh->text();
    in.rq = DateTimePicker1->date();
    in.ck = ck->text();
    in.ghs = ghs->text();
    in.jsr = jsr->text();
    in.bz = bz->text();
    in.hjsl = hjsl->text();
    in.hjje = hjje->text();
    in.yhe = yhe->text();
    in.yfe = yfe->text();
    in.sfe = sfe->text();
    in.zhidan = currentOperatorName();
    in.today = Clock::today();
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
    yhe->setText(QStringLiteral("0"));
    yfe->setText(QStringLiteral("0"));
    sfe->setText(QStringLiteral("0"));
    hjsl->setText(QStringLiteral("0"));
    hjje->setText(QStringLiteral("0"));
    txm->clear();
    ppgg->clear();
    dw->clear();
    sl->setText(QStringLiteral("0"));
    jg->setText(QStringLiteral("0"));
    const std::optional<QString> next = nextPurchaseNumberAfter(*DM1, dh->text(), Clock::today());
    if (!next) {
        warnBox(kTooMany);
        close();
        return;
    }
    dh->setText(*next);
}

void TFtjcgd1::shenheClick()
{
    ensureOwnLines();
    PurchaseDocFields doc;
    doc.dh = dh->text();
    doc.ck = ck->text();
    doc.ghs = ghs->text();
    doc.jsr = jsr->text();
    doc.bz = bz->text();
    doc.sfe = sfe->text();
    doc.rq = DateTimePicker1->date();
    postPurchase(*DM1, doc);
}

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
    try {
        ensureOwnLines();
    } catch (const std::exception& e) {
        showErrorBox(QString::fromUtf8(e.what()));
    }
    if (!q.isOpen()) {
        warnBox(QStringLiteral("数据未打开，关闭窗口后重新打开！"));
        close();
        return;
    }
    if (q.recordCount() == 0) {
        infoBox(QStringLiteral("明细不可为空！"));
        return;
    }
    const QString broken = purchaseSignRuleMessage(hjje->text(), yhe->text(), yfe->text(), sfe->text());
    if (!broken.isEmpty()) {
        infoBox(broken);
        return;
    }
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
