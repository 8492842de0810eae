#include "channel_dialog/set_channel_param_ui.h"

#include <QRadioButton>

#include "widgets/form_fit.h"
#include "widgets/radio_group.h"

void setupSetChannelParamUi(QDialog* form, SetChannelParamUi& ui) {
  // A dialog border with the system menu only: no minimise, no maximise.
  form->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint);
  ui.setupUi(form);
  formfit::fit(form);

  // "Отмена" and "Записать" first, then the fields from the number down, the
  // groups, the points count and "расчет".
  QList<QWidget*> order = {ui.Button1, ui.Button2, ui.Edit1,  ui.Edit3,  ui.Edit4,  ui.Edit5,  ui.Edit6, ui.Edit7,
                           ui.Edit8,   ui.Edit9,   ui.Edit10, ui.Edit11, ui.Edit12, ui.Edit13};
  for (RadioGroup* group : {ui.RadioGroup1, ui.RadioGroup2}) {
    for (int i = 0; i < group->count(); ++i) order << group->button(i);
  }
  order << ui.Edit14 << ui.Button3;
  for (int i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}
