// The result codes: the outcome of a run, and its exit status.
//
// A command object records its outcome as one of these in its
// `ResultCode`; `CommandMain` records the codes of the steps before any
// command (1, 2, 3 and 8) and turns every code into its message. They live
// beside the command base, which holds the code, so that the commands and
// the front end above them share them without including each other.
#ifndef KORVATEX_ELEMENT_RESULT_CODES_H_
#define KORVATEX_ELEMENT_RESULT_CODES_H_

enum ResultCodes {
  kSuccess = 0,
  kHelpOpened = 1,
  kTooFewParameters = 2,
  kBadParameters = 3,
  kNoDataFile = 4,
  kBadSymbol = 5,
  kBadAtomicNumber = 6,
  kTooManyItems = 7,
  kNoClipboard = 8,
  kBadFormula = 9,
  kUncertainDigits = 10,
  kDigitsOutOfRange = 11,
  kContainsLithium = 12,
  kUnstableIsotope = 13,
};

#endif  // KORVATEX_ELEMENT_RESULT_CODES_H_
