#include "Uxzcg1.h"

#include "Utjcgd1.h"
#include "data/DM1.h"
#include "data/DocumentState.h"
#include "ui/Controls.h"
#include "ui/Messages.h"

#include <QLabel>
#include <QLineEdit>
#include <utility>

HeaderPickerDescription TFxzcg1::describe()
{
    const auto centred = Qt::AlignHCenter | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;   // numbers stand to the right
    return HeaderPickerDescription{
        .objectName = QStringLiteral("Fxzcg1"),
        .caption = QStringLiteral("选择采购挂单（未审采购单）"),
        .query = &TDM1::AQcgz1,
        .table = QStringLiteral("cgglz"),
        .partyColumn = QStringLiteral("ghs"),
        .partyLabel = QStringLiteral("厂商"),
        .columns = {{.field = "shbj", .title = "审核", .width = 52, .align = centred},
                    {.field = "rq", .title = "日期", .width = 80, .align = centred},
                    {.field = "dh", .title = "单号", .width = 110, .align = centred},
                    {.field = "ghs", .title = "厂商", .width = 160},
                    {.field = "hjsl", .title = "合计数量", .width = 80, .align = right},
                    {.field = "hjje", .title = "合计金额", .width = 90, .align = right},
                    {.field = "jsr", .title = "经办人", .width = 80}},
        .stateLines = {QStringLiteral("and shbj=") + sqlQuote(DocumentState::held())},
        .emptyRefusal = QStringLiteral("没有单据可选择！"),
    };
}

TFxzcg1::TFxzcg1(QWidget* owner) : THeaderPicker(describe(), owner) {}

bool TFxzcg1::choose(Query& z)
{
    // Everything is read and checked before the entry form is touched, so a header that
    // cannot be loaded leaves the document in hand as it was.
    const QString rqText = z.text(QStringLiteral("rq"));
    const QDate rq = QDate::fromString(rqText.trimmed(), QStringLiteral("yyyy-MM-dd"));
    if (!rq.isValid()) {
        warnBox(QStringLiteral("单据日期“%1”无效，不能取单！").arg(rqText));
        return false;
    }

    TFtjcgd1* form = Ftjcgd1;
    if (!form) {   // the entry form went away while the picker was open
        reject();
        return false;
    }
    // The header columns and the entry form's edits they go into, in the order they are written.
    const std::pair<const char*, QLineEdit*> loaded[] = {
        {"dh", form->dh}, {"ghs", form->ghs}, {"ck", form->ck}, {"jsr", form->jsr}, {"bz", form->bz},
        {"yhe", form->yhe}, {"yfe", form->yfe}, {"sfe", form->sfe}, {"hjsl", form->hjsl}, {"hjje", form->hjje},
    };
    QStringList values;
    for (const auto& l : loaded)
        values << z.text(QString::fromLatin1(l.first));

    // The document in hand gives back its pending marks before another one takes its place.
    form->rollbackLineMarks();

    // The mode is written before the number, so the number's change handler loads nothing;
    // the amounts paid and payable go in before the total, whose handler recomputes them.
    form->setWindowTitle(QStringLiteral("修改采购入库单"));
    form->ztbj->setText(QStringLiteral("修改"));
    form->DateTimePicker1->setDate(rq);
    for (int i = 0; i < values.size(); ++i)
        loaded[i].second->setText(values[i]);

    Query& c = DM1->AQcgc1;
    c.setSql({QStringLiteral("SELECT * FROM cgglc"), QStringLiteral("where dh=") + sqlQuote(form->dh->text()),
              QStringLiteral("and bj='yz'"), QStringLiteral("order by id")});
    c.open();

    return true;
}
