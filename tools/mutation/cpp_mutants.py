"""The mutants of one C++ source file: simple faults a test should notice.

Six kinds, each one edit of the text:

- comparison: a relational or equality operator moved to its neighbour
  (`<` to `<=`, `<=` to `<`, `>` to `>=`, `>=` to `>`, `==` to `!=`, `!=` to `==`);
- constant: an integer literal moved by one (n to n + 1 and n - 1; 0 only to 1);
- statement: a statement dropped (replaced by `{}`): an expression statement
  that assigns, calls or steps a variable, a `return;`, `break;` or
  `continue;`, and a `return x;` that an `if` or `else` governs directly;
- boolean: `&&` to `||` and back;
- boundary: a term of one dropped (`x + 1` to `x`, `n - 1` to `n`), and
  `min` and `max` exchanged (an off-by-one or a limit taken on the wrong
  side; the constant kind does not also move that 1 to 0, the same fault);
- swap: two adjacent arguments of a call exchanged where both are plain
  names (`f(a, b)` to `f(b, a)`; not in `min`, `max`, `swap` or `hypot`,
  where the order does not matter), and the operands of `-`, `/` or `%`
  exchanged where both are plain names (`a - b` to `b - a`, `s.k - t->m`
  too).

The sources are clang-format clean, so a binary operator has a blank on
each side: that tells `a < b` from `std::array<int, 3>`. Comments, string
and character literals and preprocessor lines are never touched.
"""
import collections
import dataclasses
import re
from dataclasses import dataclass

OPERATORS = sorted(
    ["<<=", ">>=", "<=>", "...", "->*", "::", "->", "++", "--", "<<", ">>", "<=", ">=", "==",
     "!=", "&&", "||", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", ".*"],
    key=len, reverse=True)

# Calls whose arguments may come in either order.
SYMMETRIC_CALLS = {"min", "max", "swap", "minimo", "massimo", "hypot"}
NON_COMMUTATIVE = {"-", "/", "%"}
# What may stand just before the left operand of `a - b` so that `a` is that
# operand and not part of a tighter expression (`x * a - b`, `-a - b`).
OPENS_OPERAND = {
    "(", "[", "{", ",", ";", "?", ":", "=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=",
    "<<=", ">>=", "<", "<=", ">", ">=", "==", "!=", "&&", "||", "<<", ">>", "return",
}
# What may follow the right operand: nothing that binds it tighter.
CLOSES_OPERAND = {")", "]", "}", ",", ";", "?", ":", "+", "-", "<", "<=", ">", ">=", "==",
                  "!=", "&&", "||", "<<", ">>"}

COMPARISONS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
BOOLEANS = {"&&": "||", "||": "&&"}
ASSIGNMENTS = {"=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=", ">>="}

# Words that open something other than an expression statement.
NOT_EXPRESSION = {
    "alignas", "asm", "auto", "bool", "break", "case", "catch", "char", "class", "co_return",
    "const", "consteval", "constexpr", "constinit", "continue", "decltype", "default", "delete",
    "do", "double", "else", "enum", "explicit", "export", "extern", "float", "for", "friend",
    "goto", "if", "inline", "int", "long", "mutable", "namespace", "new", "noexcept",
    "operator", "private", "protected", "public", "register", "return", "short", "signed",
    "sizeof", "static", "static_assert", "static_cast", "struct", "switch", "template", "this",
    "throw", "try", "typedef", "typename", "union", "unsigned", "using", "virtual", "void",
    "volatile", "while", "reinterpret_cast", "const_cast", "dynamic_cast",
}
CONTROL = {"if", "for", "while", "switch"}

INTEGER = re.compile(r"^(0[xX][0-9a-fA-F']+|[1-9][0-9']*|0)([uUlLzZ]*)$")


@dataclass(frozen=True)
class token:
    kind: str  # ident, number, op, string, char, comment, pp, space
    start: int
    end: int
    text: str


@dataclass(frozen=True)
class mutant:
    path: str  # relative to the tree, with "/"
    start: int  # byte offsets of the replaced text
    end: int
    replacement: str
    kind: str  # comparison, constant, statement, boolean, boundary, swap
    line: int  # 1-based, where the replaced text starts
    column: int  # 1-based, within the stripped line
    description: str
    line_text: str  # the line as written, stripped
    occurrence: int = 1  # among mutants of the file with the same line text, column and edit

    @property
    def place(self):
        """The column, and which of several identical lines."""
        return f"{self.column}#{self.occurrence}" if self.occurrence > 1 else str(self.column)

    @property
    def key(self):
        """Stable across edits elsewhere in the file: no line number."""
        return f"{self.path}|{self.line_text}|{self.place}|{self.description}"

    def apply(self, text):
        return text[:self.start] + self.replacement + text[self.end:]


def lex(text):
    """Tokens of a C++ source, blanks and comments included."""
    out = []
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if c == "\n":
            out.append(token("space", i, i + 1, c))
            line_start = True
            i += 1
            continue
        if c in " \t\r\f\v":
            j = i
            while j < n and text[j] in " \t\r\f\v":
                j += 1
            out.append(token("space", i, j, text[i:j]))
            i = j
            continue
        if line_start and c == "#":
            j = i
            while j < n and not (text[j] == "\n" and text[j - 1] != "\\"):
                j += 1
            out.append(token("pp", i, j, text[i:j]))
            i = j
            continue
        line_start = False
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(token("comment", i, j, text[i:j]))
            i = j
            continue
        if text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(token("comment", i, j, text[i:j]))
            i = j
            continue
        if c.isalpha() or c == "_":
            j = i
            while j < n and (text[j].isalnum() or text[j] == "_"):
                j += 1
            word = text[i:j]
            if j < n and text[j] == '"' and word in ("R", "u8R", "uR", "UR", "LR"):
                close = text.index("(", j)
                delimiter = ")" + text[j + 1:close] + '"'
                j = text.index(delimiter, close) + len(delimiter)
                out.append(token("string", i, j, text[i:j]))
            else:
                out.append(token("ident", i, j, word))
            i = j
            continue
        if c.isdigit() or (c == "." and i + 1 < n and text[i + 1].isdigit()):
            j = i + 1
            while j < n and (text[j].isalnum() or text[j] in "_.'" or
                             (text[j] in "+-" and text[j - 1] in "eEpP")):
                j += 1
            out.append(token("number", i, j, text[i:j]))
            i = j
            continue
        if c in "\"'":
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            j += 1
            out.append(token("string" if c == '"' else "char", i, j, text[i:j]))
            i = j
            continue
        for op in OPERATORS:
            if text.startswith(op, i):
                break
        else:
            op = c
        out.append(token("op", i, i + len(op), op))
        i += len(op)
    return out


def integer_value(literal):
    """(value, suffix, is_hex) of an integer literal, or None."""
    m = INTEGER.match(literal)
    if not m:
        return None
    digits = m.group(1).replace("'", "")
    is_hex = digits[:2].lower() == "0x"
    return int(digits, 16 if is_hex else 10), m.group(2), is_hex


def spelled(value, suffix, is_hex):
    return (hex(value) if is_hex else str(value)) + suffix


class _mutant_maker:
    def __init__(self, path, text):
        self.path = path
        self.text = text
        self.line_starts = [0] + [m.end() for m in re.finditer("\n", text)]
        self.found = []

    def where(self, offset):
        lo, hi = 0, len(self.line_starts) - 1
        while lo < hi:
            mid = (lo + hi + 1) // 2
            if self.line_starts[mid] <= offset:
                lo = mid
            else:
                hi = mid - 1
        start = self.line_starts[lo]
        end = self.text.find("\n", start)
        raw = self.text[start:len(self.text) if end < 0 else end]
        return lo + 1, offset - start + 1, raw

    def add(self, start, end, replacement, kind, description):
        line, column, raw = self.where(start)
        indent = len(raw) - len(raw.lstrip())
        self.found.append(
            mutant(self.path, start, end, replacement, kind, line, column - indent, description,
                   raw.strip()))


def _blank(text, offset):
    return 0 <= offset < len(text) and text[offset] in " \t\r\n"


def _operators(maker, tokens):
    text = maker.text
    for t in tokens:
        if t.kind != "op" or not (_blank(text, t.start - 1) and _blank(text, t.end)):
            continue
        if t.text in COMPARISONS:
            maker.add(t.start, t.end, COMPARISONS[t.text], "comparison",
                      f"`{t.text}` to `{COMPARISONS[t.text]}`")
        elif t.text in BOOLEANS:
            maker.add(t.start, t.end, BOOLEANS[t.text], "boolean",
                      f"`{t.text}` to `{BOOLEANS[t.text]}`")


def _dropped_term(maker, code, k):
    """Whether code[k] is the 1 of `x + 1` or `x - 1`, which the boundary
    kind drops."""
    if k == 0 or code[k - 1].kind != "op" or code[k - 1].text not in ("+", "-"):
        return False
    op = code[k - 1]
    if not (_blank(maker.text, op.start - 1) and _blank(maker.text, op.end)):
        return False  # a sign: `-1`
    value = integer_value(code[k].text)
    following = code[k + 1].text if k + 1 < len(code) else ";"
    return value is not None and value[0] == 1 and following in CLOSES_OPERAND


def _constants(maker, code):
    for k, t in enumerate(code):
        if t.kind != "number":
            continue
        value = integer_value(t.text)
        if value is None:
            continue
        n, suffix, is_hex = value
        for moved in (n + 1, n - 1):
            if moved < 0 or (moved == 0 and _dropped_term(maker, code, k)):
                continue
            maker.add(t.start, t.end, spelled(moved, suffix, is_hex), "constant",
                      f"`{t.text}` to `{spelled(moved, suffix, is_hex)}`")


def _boundaries(maker, code):
    text = maker.text
    for k, t in enumerate(code):
        if t.kind == "number" and _dropped_term(maker, code, k):
            op = code[k - 1]
            start = op.start
            while start > 0 and text[start - 1] in " \t":
                start -= 1
            maker.add(start, t.end, "", "boundary", f"drop `{op.text} {t.text}`")
        elif (t.kind == "ident" and t.text in ("min", "max") and k + 1 < len(code) and
              code[k + 1].text in ("(", "<") and (k == 0 or code[k - 1].text not in (".", "->")) and
              not (k > 1 and code[k - 1].text == "::" and code[k - 2].text == ">")):
            # Not numeric_limits<T>::max(): a value, not a choice of two.
            other = "max" if t.text == "min" else "min"
            maker.add(t.start, t.end, other, "boundary", f"`{t.text}` to `{other}`")


def _call_arguments(code, open_index):
    """(first, last) token indices of each argument of the call whose "(" is
    at open_index, or None when the brackets do not close."""
    args, depth, first = [], 0, open_index + 1
    for j in range(open_index, len(code)):
        s = code[j].text if code[j].kind == "op" else None
        if s in ("(", "[", "{"):
            depth += 1
        elif s in (")", "]", "}"):
            depth -= 1
            if depth == 0:
                if j > first:
                    args.append((first, j - 1))
                return args
        elif s == "," and depth == 1:
            args.append((first, j - 1))
            first = j + 1
    return None


def _plain_operand(code, first, last):
    """The operand code[first..last] as text when it is a name (members and
    scopes allowed: `a.b`, `s->n`, `std::x`), else None."""
    parts = code[first:last + 1]
    if not parts or len(parts) % 2 == 0:
        return None
    for i, t in enumerate(parts):
        if i % 2 == 0 and t.kind != "ident":
            return None
        if i % 2 == 1 and t.text not in (".", "->", "::"):
            return None
    if parts[0].text in NOT_EXPRESSION and parts[0].text != "this":
        return None
    return "".join(t.text for t in parts)


def _swaps(maker, code):
    text = maker.text
    for k, t in enumerate(code):
        if t.kind == "op" and t.text == "(" and k > 0 and code[k - 1].kind == "ident" and \
                code[k - 1].text not in NOT_EXPRESSION and \
                code[k - 1].text not in SYMMETRIC_CALLS:
            args = _call_arguments(code, k) or []
            for (a0, a1), (b0, b1) in zip(args, args[1:]):
                if a0 != a1 or b0 != b1 or code[a0].kind != "ident" or \
                        code[b0].kind != "ident" or code[a0].text == code[b0].text:
                    continue
                a, b = code[a0], code[b0]
                maker.add(a.start, b.end, b.text + text[a.end:b.start] + a.text, "swap",
                          f"`{a.text}, {b.text}` to `{b.text}, {a.text}`")
        elif t.kind == "op" and t.text in NON_COMMUTATIVE and \
                _blank(text, t.start - 1) and _blank(text, t.end):
            left = _operand_left(maker, code, k)
            right = _operand_right(code, k)
            if left is None or right is None:
                continue
            a = text[code[left[0]].start:code[left[1]].end]
            b = text[code[right[0]].start:code[right[1]].end]
            if a == b:
                continue
            maker.add(code[left[0]].start, code[right[1]].end, f"{b} {t.text} {a}", "swap",
                      f"`{a} {t.text} {b}` to `{b} {t.text} {a}`")


def _operand_left(maker, code, k):
    first = k - 1
    while first - 2 >= 0 and code[first - 1].text in (".", "->", "::") and \
            code[first - 2].kind == "ident":
        first -= 2
    if first < 1:
        return None
    before = code[first - 1]
    # `x + n % k`: a binary + or - binds looser than `/` and `%`.
    looser = code[k].text != "-" and before.text in ("+", "-") and \
        _blank(maker.text, before.start - 1) and _blank(maker.text, before.end)
    if before.text not in OPENS_OPERAND and not looser:
        return None
    if _plain_operand(code, first, k - 1) is None:
        return None
    return first, k - 1


def _operand_right(code, k):
    last = k + 1
    while last + 2 < len(code) and code[last + 1].text in (".", "->", "::") and \
            code[last + 2].kind == "ident":
        last += 2
    after = code[last + 1].text if last + 1 < len(code) else ""
    # `n / k * 2` is (n / k) * 2; `a - b * 2` is not (a - b) * 2.
    if after not in CLOSES_OPERAND and not (code[k].text != "-" and after in ("*", "/", "%")):
        return None
    if code[last + 1].text in ("<", ">") and code[last].kind == "ident":
        return None  # perhaps a template's brackets: `a - b<c>`
    if _plain_operand(code, k + 1, last) is None:
        return None
    return k + 1, last


def _statement_end(code, k):
    """Index of the `;` ending the statement that starts at k, or None."""
    depth = 0
    for j in range(k, len(code)):
        s = code[j].text if code[j].kind == "op" else None
        if s in ("(", "[", "{"):
            depth += 1
        elif s in (")", "]", "}"):
            depth -= 1
            if depth < 0:
                return None
        elif s == ";" and depth == 0:
            return j
        elif s == "," and depth == 0:
            return None
    return None


def _is_expression_statement(code, k, end):
    first = code[k]
    if first.kind == "op":
        return first.text in ("++", "--", "*") and end > k + 1
    if first.kind != "ident" or first.text in NOT_EXPRESSION:
        return False
    j = k
    # A qualified name: a::b::c, then what follows it decides.
    while j + 2 < end and code[j + 1].text == "::" and code[j + 2].kind == "ident":
        j += 2
    following = code[j + 1] if j + 1 < end else None
    if following is None:
        return False
    if following.kind == "op":
        if following.text in ("(", ".", "->", "[", "++", "--", "<<") or \
                following.text in ASSIGNMENTS:
            return True
    return False


def _statements(maker, code):
    """Statement starts found with a stack of open brackets, the bodies of
    control statements without braces and the labels of a switch."""
    text = maker.text
    stack = []  # (bracket, what opened it)
    pending_header = None  # the control word whose "(" comes next
    header_closes = set()  # indices of ")" that end a control header
    block_of = {}  # index of "{" -> the word before it (if, else, switch, ...)
    label_colons = set()  # indices of the ":" ending a case or default label
    starts = []
    prev_significant = None
    after_label = False
    for k, t in enumerate(code):
        s = t.text
        top = stack[-1][0] if stack else "{"
        at_start = top == "{" and (
            prev_significant is None or after_label or
            (prev_significant.kind == "op" and prev_significant.text in (";", "{", "}")) or
            (prev_significant.kind == "ident" and prev_significant.text == "else") or
            (k - 1) in header_closes)
        if at_start:
            starts.append(k)
        after_label = False
        if t.kind == "ident" and s in CONTROL:
            pending_header = s
        elif t.kind == "ident" and s in ("case", "default") and at_start:
            j = k
            while j < len(code) and code[j].text != ":":
                j += 1
            label_colons.add(j)
        elif t.kind == "op" and s in ("(", "["):
            stack.append((s, pending_header if s == "(" else None))
            pending_header = None
        elif t.kind == "op" and s in (")", "]"):
            if stack:
                bracket, opener = stack.pop()
                if bracket == "(" and opener in CONTROL:
                    header_closes.add(k)
        elif t.kind == "op" and s == "{":
            before = prev_significant.text if prev_significant is not None else ""
            if prev_significant is not None and k - 1 in header_closes:
                before = _header_word(code, k - 1)
            block_of[k] = before
            stack.append(("{", before))
        elif t.kind == "op" and s == "}":
            if stack:
                stack.pop()
        if k in label_colons:
            after_label = True
        prev_significant = t

    for k in starts:
        end = _statement_end(code, k)
        if end is None:
            continue
        first = code[k]
        prev = code[k - 1] if k > 0 else None
        enclosing = _enclosing_block(code, k, block_of)
        dropped = " ".join(text[first.start:code[end].end].split())
        if len(dropped) > 70:
            dropped = dropped[:67] + "..."
        if first.text in ("return", "break", "continue") and end == k + 1:
            if first.text == "break" and enclosing == "switch":
                continue  # the case would fall through: no longer compiles
            maker.add(first.start, code[end].end, "{}", "statement", f"drop `{dropped}`")
        elif first.text == "return" and first.kind == "ident":
            governed = prev is not None and (
                (k - 1) in header_closes and _header_word(code, k - 1) == "if" or
                prev.text == "else" or
                (prev.text == "{" and enclosing in ("if", "else") and
                 end + 1 < len(code) and code[end + 1].text == "}"))
            if governed:
                maker.add(first.start, code[end].end, "{}", "statement", f"drop `{dropped}`")
        elif _is_expression_statement(code, k, end):
            maker.add(first.start, code[end].end, "{}", "statement", f"drop `{dropped}`")


def _header_word(code, close):
    """The control word of the header whose ")" is at index close."""
    depth = 0
    for j in range(close, -1, -1):
        if code[j].text == ")":
            depth += 1
        elif code[j].text == "(":
            depth -= 1
            if depth == 0:
                return code[j - 1].text if j > 0 else ""
    return ""


def _enclosing_block(code, k, block_of):
    depth = 0
    for j in range(k - 1, -1, -1):
        s = code[j].text if code[j].kind == "op" else None
        if s == "}":
            depth += 1
        elif s == "{":
            if depth == 0:
                return block_of.get(j, "")
            depth -= 1
    return ""


def mutants_of(path, text):
    """Every mutant of one file, in the order of the text."""
    tokens = lex(text)
    code = [t for t in tokens if t.kind not in ("space", "comment", "pp")]
    code = _without_static_asserts(code)
    maker = _mutant_maker(path, text)
    _operators(maker, code)
    _constants(maker, code)
    _boundaries(maker, code)
    _swaps(maker, code)
    _statements(maker, code)
    found = sorted(maker.found, key=lambda m: (m.start, m.kind, m.description))
    seen = collections.Counter()
    for i, m in enumerate(found):
        seen[m.key] += 1
        if seen[m.key] > 1:
            found[i] = dataclasses.replace(m, occurrence=seen[m.key])
    return found


def _without_static_asserts(code):
    """Code tokens with every static_assert(...) left out: a moved constant
    there only stops the build."""
    out = []
    k = 0
    while k < len(code):
        if code[k].kind == "ident" and code[k].text == "static_assert":
            depth = 0
            k += 1
            while k < len(code):
                if code[k].text == "(":
                    depth += 1
                elif code[k].text == ")":
                    depth -= 1
                    if depth == 0:
                        break
                k += 1
            k += 2  # past ")" and ";"
            continue
        out.append(code[k])
        k += 1
    return out
