#pragma once
// Node kinds of the expression tree. Codes below 128 are the characters they come from,
// codes from 128 up are compiled keywords. Some codes exist only as tokens inside the
// compiler (brackets, comma, digits, "!", PI, PHI, DEG, NINF, PINF, CHI, NEG, "|").

#include <cstdint>

namespace curvelo::nk {

using Kind = std::uint16_t;

inline constexpr Kind SENTINEL = 7;  // start/end marker of the syntax check
inline constexpr Kind FIRSTDEF = 10;
inline constexpr Kind AUX1 = 27;
inline constexpr Kind AUX2 = 28;
inline constexpr Kind AUX3 = 29;
inline constexpr Kind AUX4 = 30;
inline constexpr Kind AUX5 = 31;
inline constexpr Kind BANG = 33;  // postfix "!"
inline constexpr Kind NUM = 35;
inline constexpr Kind LPAREN = 40;
inline constexpr Kind RPAREN = 41;
inline constexpr Kind TIMES = 42;
inline constexpr Kind PLUS = 43;
inline constexpr Kind COMMA = 44;
inline constexpr Kind MINUS = 45;
inline constexpr Kind POINT = 46;
inline constexpr Kind DIVIDE = 47;
inline constexpr Kind DIGIT0 = 48;
inline constexpr Kind DIGIT9 = 57;
inline constexpr Kind AT = 64;  // the unbounded parameter "@"
inline constexpr Kind A = 65;
inline constexpr Kind B = 66;
inline constexpr Kind C = 67;
inline constexpr Kind D = 68;
inline constexpr Kind E = 69;
inline constexpr Kind F = 70;
inline constexpr Kind G = 71;
inline constexpr Kind H = 72;
inline constexpr Kind I = 73;
inline constexpr Kind J = 74;
inline constexpr Kind K = 75;
inline constexpr Kind L = 76;
inline constexpr Kind M = 77;
inline constexpr Kind N = 78;
inline constexpr Kind O = 79;
inline constexpr Kind P = 80;
inline constexpr Kind Q = 81;
inline constexpr Kind R = 82;
inline constexpr Kind S = 83;
inline constexpr Kind T = 84;
inline constexpr Kind U = 85;
inline constexpr Kind V = 86;
inline constexpr Kind W = 87;
inline constexpr Kind X = 88;
inline constexpr Kind Y = 89;
inline constexpr Kind Z = 90;
inline constexpr Kind CARET = 94;  // power a^b
inline constexpr Kind PIPE = 124;  // piece|threshold, only until the JOIN rewrite

inline constexpr Kind ARCTAN = 128;
inline constexpr Kind TAN = 129;
inline constexpr Kind COS = 130;
inline constexpr Kind EXP = 131;
inline constexpr Kind FACT = 132;
inline constexpr Kind INT = 133;
inline constexpr Kind SINH = 134;
inline constexpr Kind COSH = 135;
inline constexpr Kind TANH = 136;
inline constexpr Kind ARCCOS = 137;
inline constexpr Kind LN = 138;
inline constexpr Kind ABS = 139;
inline constexpr Kind ARCSIN = 140;
inline constexpr Kind SIN = 142;
inline constexpr Kind SEC = 143;
inline constexpr Kind CSC = 144;
inline constexpr Kind COT = 145;
inline constexpr Kind NEG = 146;
inline constexpr Kind ARG = 147;
inline constexpr Kind SGN = 148;
inline constexpr Kind FRAC = 149;
inline constexpr Kind LOG = 150;
inline constexpr Kind ITER = 151;
inline constexpr Kind ROOT = 152;
inline constexpr Kind MAX = 153;
inline constexpr Kind MIN = 154;
inline constexpr Kind SECH = 155;
inline constexpr Kind COTH = 156;
inline constexpr Kind CSCH = 157;
inline constexpr Kind POW = 158;
inline constexpr Kind BINOM = 159;
inline constexpr Kind SUM = 161;
inline constexpr Kind PROD = 162;
inline constexpr Kind RAND = 163;
inline constexpr Kind ERF = 164;
inline constexpr Kind HVS = 165;
inline constexpr Kind GAMMA = 169;
inline constexpr Kind CIS = 170;
inline constexpr Kind RE = 171;
inline constexpr Kind IM = 172;
inline constexpr Kind CONJ = 173;
inline constexpr Kind GAUSS = 174;
inline constexpr Kind NINF = 175;
inline constexpr Kind PINF = 176;
inline constexpr Kind CHI = 177;
inline constexpr Kind JOIN = 180;
inline constexpr Kind JOINP = 181;
inline constexpr Kind ABS2 = 190;
inline constexpr Kind ARG2 = 191;
inline constexpr Kind SELNEG = 193;
inline constexpr Kind SELPOS = 194;
inline constexpr Kind FLOOR = 195;
inline constexpr Kind CEIL = 196;
inline constexpr Kind ITERD = 199;
inline constexpr Kind PERIODIC = 200;
inline constexpr Kind MOD = 208;
inline constexpr Kind GCD = 209;
inline constexpr Kind ARGSINH = 210;
inline constexpr Kind ARGCOSH = 211;
inline constexpr Kind ARGTANH = 212;
inline constexpr Kind ARGCOTH = 213;
inline constexpr Kind ARCCOT = 214;
inline constexpr Kind LG = 215;
inline constexpr Kind ARCSEC = 216;
inline constexpr Kind ARCCSC = 217;
inline constexpr Kind ARGSECH = 218;
inline constexpr Kind ARGCSCH = 219;
inline constexpr Kind SUMTERM = 220;
inline constexpr Kind SUMRANGE = 221;
inline constexpr Kind PI = 227;
inline constexpr Kind PHI = 232;
inline constexpr Kind SQR = 251;
inline constexpr Kind SQUARE = 253;
inline constexpr Kind DEG = 255;

// Letter store index (0 = "@", 1..26 = A..Z) and its node kind.
constexpr Kind LetterKind(int index) { return static_cast<Kind>(AT + index); }
constexpr int LetterIndex(Kind kind) { return static_cast<int>(kind) - AT; }
constexpr bool IsLetter(Kind kind) { return kind >= AT && kind <= Z; }

}  // namespace curvelo::nk
