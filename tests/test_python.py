"""The Python module: the table of amounts every face is held to, and what is Python's own (the
types an amount may have, the error, the options' names)."""

import os
import sys
import unittest
from decimal import Decimal

from suma_zodziais import SumaError, zodziais, zodziais_cents


def keywords(options):
    """zodziais's options as the module's keywords."""
    given = {}
    words = iter(options)
    for option in words:
        if option == "--plain":
            given["currency"] = None
        elif option in ("--upper", "--lower"):
            given["case"] = option[2:]
        elif option in ("--currency", "--cents"):
            given[option[2:]] = next(words)
        else:
            raise AssertionError(f"an option the table may not use: {option}")
    return given


class SharedAmounts(unittest.TestCase):
    def test_table(self):
        with open(os.environ["SUMA_AMOUNT_CASES"], encoding="utf-8") as table:
            rows = [line.rstrip("\n").split("\t") for line in table if not line.startswith("#")]
        for amount, options, expected in rows:
            with self.subTest(amount=amount, options=options):
                try:
                    got = zodziais(amount, **keywords(options.split()))
                except SumaError as error:
                    got = "!" + error.status
                self.assertEqual(got, expected)


class ReadmeExample(unittest.TestCase):
    def test_readme(self):
        """The README's example, line by line: each call gives the text its comment shows."""
        with open(os.environ["SUMA_README"], encoding="utf-8") as readme:
            block = readme.read().split("```python\n", 1)[1].split("```", 1)[0]
        names = {}
        for line in block.splitlines():
            code, _, shown = line.partition("#")
            if not shown.strip():
                exec(code, names)  # the imports
                continue
            with self.subTest(line=code.strip()):
                self.assertEqual(repr(eval(code, names)), shown.strip())


class PythonTypes(unittest.TestCase):
    def test_amounts_of_every_type(self):
        rows = [
            (21, "Dvidešimt vienas Lt"),  # whole litai, never cents
            (Decimal("1234.56"), "Vienas tūkstantis du šimtai trisdešimt keturi Lt 56 ct"),
            (Decimal("2.675"), "Du Lt 68 ct"),
            (Decimal("1E+3"), "Vienas tūkstantis Lt"),
            (0.1 + 0.2, "30 ct"),  # read as repr gives it: 0.30000000000000004
            (1e-07, "Nulis Lt"),
            (-5.25, "Minus penki Lt 25 ct"),
        ]
        for amount, expected in rows:
            with self.subTest(amount=amount):
                self.assertEqual(zodziais(amount), expected)

    def test_whole_cents(self):
        self.assertEqual(zodziais_cents(123456, currency="Eur"),
                         "Vienas tūkstantis du šimtai trisdešimt keturi Eur 56 ct")
        self.assertEqual(zodziais_cents(2100, currency="eurai", cents="words"),
                         "Dvidešimt vienas euras")
        with self.assertRaises(SumaError) as raised:
            zodziais_cents(10**30)
        self.assertEqual(raised.exception.status, "TOO_LARGE")

    def test_refusals(self):
        for amount, status, message in [
            ("abc", "NOT_A_NUMBER", "Turi būti skaičius"),
            (Decimal("NaN"), "NOT_A_NUMBER", "Turi būti skaičius"),
            (float("inf"), "NOT_A_NUMBER", "Turi būti skaičius"),
            (10**9, "TOO_LARGE", "Apsiribokime milijonais !"),
        ]:
            with self.subTest(amount=amount):
                with self.assertRaises(SumaError) as raised:
                    zodziais(amount)
                self.assertIsInstance(raised.exception, ValueError)
                self.assertEqual(raised.exception.status, status)
                self.assertEqual(str(raised.exception), message)

    def test_wrong_arguments(self):
        for call in [lambda: zodziais(True), lambda: zodziais(b"12"), lambda: zodziais_cents(1.5)]:
            with self.assertRaises(TypeError):
                call()
        for options in [{"currency": "USD"}, {"cents": "Words"}, {"case": "title"}]:
            with self.assertRaises(ValueError):
                zodziais(1, **options)


if __name__ == "__main__":
    result = unittest.main(exit=False, verbosity=1).result
    failed = len(result.failures) + len(result.errors)
    print(f"{result.testsRun - failed} passed, {failed} failed")
    sys.exit(1 if failed else 0)
