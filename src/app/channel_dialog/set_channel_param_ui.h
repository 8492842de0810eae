// Every control of the channel characteristics dialog by its form name: its
// form (tfrm_set_channel_param.ui) compiled by uic. setupSetChannelParamUi
// sets it up, sizes its fields to their digits and sets its tab order, which
// runs through the group buttons that the radio groups make.
#pragma once

#include "ui_tfrm_set_channel_param.h"

// Edit1 "Номер канала", Edit3 "Степень" with Button3 "расчет", Edit4 "НПВ",
// Edit5 "НмПВ", Edit6 "Максимальная тара", Edit7 .. Edit9 the ranges, Edit10 ..
// Edit13 the discreteness, Edit14 "Кол-во градуир. точек"; RadioGroup1 "Тип
// канала", RadioGroup2 "Выботка массы тары"; Button1 "Отмена", which Enter
// presses while it has the focus, and Button2 "Записать", the default button,
// which Enter presses from a field.
struct SetChannelParamUi : Ui::TfrmSetChannelParam {};

void setupSetChannelParamUi(QDialog* form, SetChannelParamUi& ui);
