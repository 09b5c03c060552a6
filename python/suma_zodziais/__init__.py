"""Amounts written out in Lithuanian words, as invoices print them.

>>> zodziais("1234,56")
'Vienas tūkstantis du šimtai trisdešimt keturi Lt 56 ct'
>>> zodziais(21, currency="eurai")
'Dvidešimt vienas euras'
"""

from decimal import Decimal as _Decimal

from . import _core

__all__ = ["zodziais", "zodziais_cents", "SumaError"]

_CURRENCIES = {"Lt": 0, "Eur": 1, "eurai": 2, None: 3}
_CENTS = {"digits": 0, "words": 1}
_CASES = {"first": 0, "lower": 1, "upper": 2}
_STATUS_NAMES = {1: "NOT_A_NUMBER", 2: "TOO_LARGE"}


class SumaError(ValueError):
    """An amount that gets no words. `status` is "NOT_A_NUMBER" or "TOO_LARGE"; the text is
    the Lithuanian message ("Turi būti skaičius", "Apsiribokime milijonais !")."""

    def __init__(self, status, message):
        super().__init__(message)
        self.status = status


def _options(currency, cents, case):
    try:
        return _CURRENCIES[currency], _CENTS[cents], _CASES[case]
    except (KeyError, TypeError):
        raise ValueError(
            f"currency must be one of 'Lt', 'Eur', 'eurai', None; cents 'digits' or 'words'; "
            f"case 'lower', 'first' or 'upper' (got {currency!r}, {cents!r}, {case!r})"
        ) from None


def _result(answer):
    status, text = answer
    if status:
        raise SumaError(_STATUS_NAMES[status], text)
    return text


def zodziais(amount, *, currency="Lt", cents="digits", case="first"):
    """The amount in words. An int is whole litai or euros, never cents (for cents, see
    zodziais_cents). A str is read exactly, in any locale ("1234,56", "1234.56", "1 234,56");
    a decimal.Decimal exactly; a float through its shortest form, repr(). Money is rounded to
    whole cents, a tie to the even cent, before it is split: "7,999" is "Aštuoni Lt".

    currency: "Lt", "Eur", "eurai" (the noun in the form the amount calls for) or None (a plain
    number, without cents); cents: "digits" ("56 ct") or "words" ("penkiasdešimt šeši centai");
    case: "first", "lower" or "upper". Raises SumaError for an amount that gets no words."""
    if isinstance(amount, bool) or not isinstance(amount, (str, int, float, _Decimal)):
        raise TypeError(f"amount must be str, int, float or decimal.Decimal, not {type(amount).__name__}")
    text = amount if isinstance(amount, str) else repr(amount) if isinstance(amount, float) else str(amount)
    return _result(_core.spell(text, *_options(currency, cents, case)))


def zodziais_cents(cents_amount, *, currency="Lt", cents="digits", case="first"):
    """The amount given in whole cents, in words: 123456 is 1234,56. Options as for zodziais."""
    if isinstance(cents_amount, bool) or not isinstance(cents_amount, int):
        raise TypeError(f"cents_amount must be int, not {type(cents_amount).__name__}")
    # Beyond 64 bits an amount is far too large all the same; the core says so.
    cents_amount = max(-(2**63), min(cents_amount, 2**63 - 1))
    return _result(_core.spell_cents(cents_amount, *_options(currency, cents, case)))
