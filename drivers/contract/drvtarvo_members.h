// The members of the AddIn.DrvTarvo driver object, as the bench relies on them:
// an X-macro list shared by the simulated driver and the tests' fakes.
//
//   LK40_DRV_METHOD(Name)
//   LK40_DRV_PROPERTY(Name, Type, Access)   Type: Int Double Currency Bool Text
//                                          Access: RW R W
#pragma once

#define LK40_DRV_METHODS(X) \
  X(AddLD) X(BreakCalibration) X(Connect) X(DeleteLD) X(Disconnect) X(EnumLD) \
  X(GetActiveChannel) X(GetActiveLD) X(GetADCValue) X(GetCalibrationStatus) \
  X(GetChannelParam) X(GetChannelsCount) X(GetChannelStatus) X(GetChannelStatusEx) \
  X(GetCountLD) X(GetDeviceCRC) X(GetDeviceMetrics) X(GetExchangeParam) \
  X(GetFixedPoint) X(GetMode) X(GetParamLD) X(GetVoltage) X(KeyEmulation) \
  X(LockKeyboard) X(Reset) X(RestartChannel) X(SetActiveChannel) X(SetActiveLD) \
  X(SetChannelMode) X(SetChannelParam) X(SetExchangeParam) X(SetFixedPoint) \
  X(SetGoodData) X(SetMode) X(SetParamLD) X(SetPassword) X(SetTare) \
  X(SetTareValue) X(SetZero) X(ShowProperties) X(StartCalibration) X(TestClr) \
  X(TestGet)

#define LK40_DRV_PROPERTIES(X) \
  X(BaudRate, Int, RW) X(ChannelDegree, Int, RW) X(ChannelFlags, Int, RW) \
  X(ChannelNumber, Int, RW) X(ChannelPointsCount, Int, RW) X(ComNumber, Int, RW) \
  X(GoodType, Int, RW) X(LDBaudrate, Int, RW) X(LDComNumber, Int, RW) \
  X(LDIndex, Int, RW) X(LDNumber, Int, RW) X(LDTimeout, Int, RW) X(Mode, Int, RW) \
  X(Password, Int, RW) X(PortNumber, Int, RW) X(Quantity, Int, RW) \
  X(Timeout, Int, RW) \
  X(Key, Int, W) X(NewPassword, Int, W) X(PointNumber, Int, W) \
  X(ADCValue, Int, R) X(CalibrationsCount, Int, R) X(ChannelsCount, Int, R) \
  X(DeviceCRC, Int, R) X(FileVersionLS, Int, R) X(FileVersionMS, Int, R) \
  X(FixedPointStatus, Int, R) X(LastKey, Int, R) X(LDCount, Int, R) \
  X(ResultCode, Int, R) X(UCodePage, Int, R) X(UMajorProtocolVersion, Int, R) \
  X(UMajorType, Int, R) X(UMinorProtocolVersion, Int, R) X(UMinorType, Int, R) \
  X(UModel, Int, R) X(Voltage12, Int, R) X(Voltage5, Int, R) \
  X(VoltageFlags, Int, R) X(VoltageX, Int, R) X(VoltageX1, Int, R) \
  X(WeightChannelMode, Int, R) \
  X(CalibrationWeight, Double, RW) X(ChannelDiscreteness1, Double, RW) \
  X(ChannelDiscreteness2, Double, RW) X(ChannelDiscreteness3, Double, RW) \
  X(ChannelDiscreteness4, Double, RW) X(ChannelMaxTare, Double, RW) \
  X(ChannelMaxWeight, Double, RW) X(ChannelMinWeight, Double, RW) \
  X(ChannelRange1, Double, RW) X(ChannelRange2, Double, RW) \
  X(ChannelRange3, Double, RW) X(Tare, Double, RW) X(Weight, Double, R) \
  X(Price, Currency, RW) X(Cost, Currency, R) \
  X(ChannelON, Bool, RW) X(LockKeyboardON, Bool, W) X(Connected, Bool, R) \
  X(LDName, Text, RW) X(Input, Text, R) X(Output, Text, R) \
  X(ResultCodeDescription, Text, R) X(UDescription, Text, R) X(TestData, Text, R)
