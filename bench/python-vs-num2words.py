"""The Python module beside num2words (Debian's python3-num2words), the library Python invoicing
code mostly uses, on the same Decimal amounts: time per call, and the ratio. Figures only."""

import random
import sys
import timeit
from decimal import Decimal

import suma_zodziais
from num2words import num2words

random.seed(20261209)
amounts = [Decimal(random.randrange(1, 99_999_999_999)) / 100 for _ in range(20_000)]


def per_call(function):
    best = min(timeit.repeat(lambda: [function(a) for a in amounts], number=1, repeat=5))
    return best / len(amounts) * 1e6


ours = per_call(lambda a: suma_zodziais.zodziais(a, currency="eurai", cents="words"))
theirs = per_call(lambda a: num2words(a, lang="lt", to="currency", currency="EUR"))
print(f"{'suma_zodziais.zodziais (Decimal, eurai, cents in words)':58} {ours:8.2f} us")
print(f"{'num2words(lang=lt, to=currency, EUR)':58} {theirs:8.2f} us")
print(f"num2words / suma_zodziais: {theirs / ours:.1f}x")
sys.exit(0)
