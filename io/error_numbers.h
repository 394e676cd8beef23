// Numbers of the run-time errors that the layer raises.
#pragma once

#include <cstdint>

namespace io::err {

inline constexpr std::int32_t IntegerOverflow = 6100;
inline constexpr std::int32_t InvalidInteger = 6101;
inline constexpr std::int32_t RealOverflow = 6102;
inline constexpr std::int32_t InvalidReal = 6103;
inline constexpr std::int32_t SingleRange = 6104;
inline constexpr std::int32_t FormattedOnUnformatted = 6200;
inline constexpr std::int32_t DeviceAccess = 6202;
inline constexpr std::int32_t CharacterPairing = 6205;
inline constexpr std::int32_t RealPairing = 6206;
inline constexpr std::int32_t IntegerPairing = 6207;
inline constexpr std::int32_t LogicalPairing = 6208;
inline constexpr std::int32_t ReopenKind = 6209;
inline constexpr std::int32_t WindowFocus = 6211;
inline constexpr std::int32_t WindowTitle = 6213;
inline constexpr std::int32_t KeepScratch = 6300;
inline constexpr std::int32_t FileWithScratch = 6301;
inline constexpr std::int32_t SecondRadixMark = 6302;
inline constexpr std::int32_t BadRadix = 6303;
inline constexpr std::int32_t BadStatus = 6304;
inline constexpr std::int32_t BadAccessMode = 6305;
inline constexpr std::int32_t BadAccess = 6306;
inline constexpr std::int32_t BadBlank = 6307;
inline constexpr std::int32_t BadForm = 6308;
inline constexpr std::int32_t BadShare = 6309;
inline constexpr std::int32_t MissingRecl = 6311;
inline constexpr std::int32_t BadUnit = 6314;
inline constexpr std::int32_t NegativeRecl = 6315;
inline constexpr std::int32_t DeleteRefused = 6404;
inline constexpr std::int32_t ReadAfterEnd = 6405;
inline constexpr std::int32_t ConsoleLineTooLong = 6407;
inline constexpr std::int32_t InvalidName = 6412;
inline constexpr std::int32_t AlreadyConnected = 6413;
inline constexpr std::int32_t AccessRefused = 6414;
inline constexpr std::int32_t FileExists = 6415;
inline constexpr std::int32_t FileNotFound = 6416;
inline constexpr std::int32_t TooManyOpenFiles = 6417;
inline constexpr std::int32_t NoFreeSlot = 6418;
inline constexpr std::int32_t NotConnected = 6420;
inline constexpr std::int32_t OutputRefused = 6421;
inline constexpr std::int32_t DiskFull = 6422;
inline constexpr std::int32_t ReadFailed = 6500;
inline constexpr std::int32_t EndOfFile = 6501;
inline constexpr std::int32_t BadRepeatCount = 6502;
inline constexpr std::int32_t SecondRepeatMark = 6503;
inline constexpr std::int32_t ValueForm = 6504;
inline constexpr std::int32_t ClassTableFull = 6505;
inline constexpr std::int32_t ComplexComma = 6506;
inline constexpr std::int32_t BadLogical = 6507;
inline constexpr std::int32_t LiteralOnInput = 6509;
inline constexpr std::int32_t BadHexDigit = 6510;
inline constexpr std::int32_t ShortRecordNoPad = 6601;
inline constexpr std::int32_t NoMemory = 6700;
inline constexpr std::int32_t NoScratchName = 6701;
inline constexpr std::int32_t BadPosition = 6793;
inline constexpr std::int32_t BadAction = 6794;
inline constexpr std::int32_t DelimUnformatted = 6795;
inline constexpr std::int32_t BadDelim = 6796;
inline constexpr std::int32_t PadUnformatted = 6797;
inline constexpr std::int32_t BadPad = 6798;
inline constexpr std::int32_t BadCarriageControl = 6799;
inline constexpr std::int32_t SizeWithAdvance = 6800;
inline constexpr std::int32_t BadBinaryDigit = 6801;
inline constexpr std::int32_t BadOctalDigit = 6802;
inline constexpr std::int32_t FormatDGreaterThanW = 6971;
inline constexpr std::int32_t FormatZeroExponent = 6972;
inline constexpr std::int32_t FormatMissingNumber = 6980;
inline constexpr std::int32_t FormatNoParenthesis = 6981;
inline constexpr std::int32_t FormatZeroPosition = 6982;
inline constexpr std::int32_t FormatNumberNotAllowed = 6983;
inline constexpr std::int32_t FormatNumberRequired = 6984;
inline constexpr std::int32_t FormatRunaway = 6985;
inline constexpr std::int32_t FormatTooDeep = 6986;
inline constexpr std::int32_t FormatMissingPoint = 6987;
inline constexpr std::int32_t FormatOpenLiteral = 6988;
inline constexpr std::int32_t FormatBadCharacter = 6989;
inline constexpr std::int32_t FormatMGreaterThanW = 6990;
inline constexpr std::int32_t FormatNumberTooLarge = 6991;
inline constexpr std::int32_t BadAdvance = 6999;

}  // namespace io::err
