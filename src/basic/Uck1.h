#pragma once
// The warehouse picker (modal). The opener creates it with itself as owner, writes its tag
// into xzbj, runs it with runModal and frees it. A choice (xuan, a double-click or Enter in
// the grid) writes ck.ck of the current row into the caller and closes:
//
//   tag "tjcg"   -> field "ck"  of tag "tjcg"  (the purchase form)
//   tag "zu1"    -> field "ck1" of tag "zu"    (assembly, whole item)
//   tag "zu2"    -> field "ck2" of tag "zu"    (assembly, part)
//   tag "chai1"  -> field "ck1" of tag "chai"  (splitting, whole item)
//   tag "chai2"  -> field "ck2" of tag "chai"  (splitting, part)
//
// With no warehouse it warns and stays open. guan and Esc close it without writing.

#include "bases/RecordPicker.h"

class TFck1 : public RecordPicker {
    Q_OBJECT
public:
    explicit TFck1(QWidget* parent = nullptr);

protected:
    void writeChoice(const Query& q, const QString& tag) override;
};
