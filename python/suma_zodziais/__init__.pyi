from decimal import Decimal
from typing import Literal, Optional, Union

Currency = Optional[Literal["Lt", "Eur", "eurai"]]
Cents = Literal["digits", "words"]
Case = Literal["lower", "first", "upper"]

class SumaError(ValueError):
    status: Literal["NOT_A_NUMBER", "TOO_LARGE"]
    def __init__(self, status: str, message: str) -> None: ...

def zodziais(
    amount: Union[str, int, float, Decimal],
    *,
    currency: Currency = "Lt",
    cents: Cents = "digits",
    case: Case = "first",
) -> str: ...
def zodziais_cents(
    cents_amount: int, *, currency: Currency = "Lt", cents: Cents = "digits", case: Case = "first"
) -> str: ...
