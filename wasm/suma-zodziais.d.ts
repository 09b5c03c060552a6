// Suma žodžiais: amounts written out in Lithuanian words, as invoices print them.

/** Why an amount gets no words. */
export type SumaStatus = "NOT_A_NUMBER" | "TOO_LARGE";

/** An amount that gets no words; the message is the Lithuanian one ("Turi būti skaičius",
 * "Apsiribokime milijonais !"). */
export class SumaError extends Error {
    constructor(status: SumaStatus, message: string);
    readonly name: "SumaError";
    readonly status: SumaStatus;
}

export interface ZodziaisOptions {
    /** "Lt" (the default), "Eur", "eurai" (the noun in the form the amount calls for: euras,
     * eurai, eurų) or null (a plain number, without cents). */
    currency?: "Lt" | "Eur" | "eurai" | null;
    /** "digits" ("56 ct", the default) or "words" ("penkiasdešimt šeši centai"). */
    cents?: "digits" | "words";
    /** "first" (a capital first letter, the default), "lower" or "upper". */
    case?: "lower" | "first" | "upper";
}

/**
 * The amount in words. A string is read exactly, in any locale ("1234,56", "1234.56",
 * "1 234,56"); a number through its shortest decimal form, String(n); a bigint is whole litai or
 * euros, never cents. Money is rounded to whole cents, a tie to the even cent: "7,999" is
 * "Aštuoni Lt".
 * @throws {SumaError} for an amount that gets no words
 * @throws {TypeError} for an amount of another type, or an option value of the wrong type
 * @throws {RangeError} for an option string that names no choice
 */
export function zodziais(amount: string | number | bigint, options?: ZodziaisOptions): string;
