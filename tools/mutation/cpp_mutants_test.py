#!/usr/bin/env python3
"""Tests of the mutant generator: which edits it makes, and where it never
touches the text."""
import os
import sys
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cpp_mutants import mutants_of  # noqa: E402


def described(source):
    return [(m.line, m.kind, m.description) for m in mutants_of("x.cpp", source)]


class operators(unittest.TestCase):
    def test_binary_operators_flip_and_template_brackets_stay(self):
        source = ("std::array<int, 3> a;\n"
                  "bool f(int x, int y) { return x < y && x >= -y || x != y; }\n")
        found = [d for _, k, d in described(source) if k in ("comparison", "boolean")]
        self.assertEqual(found, ["`<` to `<=`", "`&&` to `||`", "`>=` to `>`",
                                 "`||` to `&&`", "`!=` to `==`"])

    def test_comments_strings_characters_and_directives_are_left_alone(self):
        source = ('#include <vector>\n#define N 4\n// a < b && 7\n/* x == 1 */\n'
                  'const char* s = "a < b && 1";\nchar c = \'1\';\n'
                  'auto r = R"(x > 2)";\n')
        self.assertEqual(described(source), [])

    def test_each_mutant_is_one_edit_of_the_text(self):
        source = "int f(int a) {\n  if (a > 10) return 1;\n  return 0;\n}\n"
        texts = {m.apply(source) for m in mutants_of("x.cpp", source)}
        self.assertIn(source.replace("a > 10", "a >= 10"), texts)
        self.assertIn(source.replace("return 1;", "{}"), texts)
        self.assertIn(source.replace("> 10", "> 11"), texts)


class constants(unittest.TestCase):
    def test_integers_move_by_one_keeping_base_and_suffix(self):
        found = [d for _, k, d in described("auto a = 0x1F + 12u + 0 + 1.5 + 1'000;\n")
                 if k == "constant"]
        self.assertEqual(found, ["`0x1F` to `0x1e`", "`0x1F` to `0x20`", "`12u` to `11u`",
                                 "`12u` to `13u`", "`0` to `1`", "`1'000` to `1001`",
                                 "`1'000` to `999`"])

    def test_static_asserts_are_left_alone(self):
        self.assertEqual(described("static_assert(sizeof(int) == 4);\n"), [])


class boundaries(unittest.TestCase):
    def edits(self, source, kind):
        return [(d, m.apply(source).splitlines()[m.line - 1].strip())
                for m in mutants_of("x.cpp", source) for d in [m.description] if m.kind == kind]

    def test_a_term_of_one_is_dropped_and_its_constant_not_moved_to_zero(self):
        source = "auto f(int n, std::vector<int>& v) {\n  return v[n - 1] + n + 1u;\n}\n"
        self.assertEqual(self.edits(source, "boundary"), [
            ("drop `- 1`", "return v[n] + n + 1u;"), ("drop `+ 1u`", "return v[n - 1] + n;")])
        moved = [d for d, _ in self.edits(source, "constant")]
        self.assertEqual(moved, ["`1` to `2`", "`1u` to `2u`"])

    def test_a_one_that_is_a_sign_or_binds_tighter_is_no_term(self):
        source = "int f(int n) {\n  return g(-1) + n - 1 * 3 + n / 1;\n}\n"
        self.assertEqual(self.edits(source, "boundary"), [])

    def test_min_and_max_are_exchanged_but_not_a_type_limit(self):
        source = ("int f(int a, int b) {\n  return std::min(a, b) + std::max<int>(a, 0) +\n"
                  "         std::numeric_limits<int>::max() + s.max(a);\n}\n")
        self.assertEqual([d for d, _ in self.edits(source, "boundary")],
                         ["`min` to `max`", "`max` to `min`"])


class swaps(unittest.TestCase):
    def edits(self, source):
        return [(m.description, m.apply(source).splitlines()[m.line - 1].strip())
                for m in mutants_of("x.cpp", source) if m.kind == "swap"]

    def test_adjacent_plain_name_arguments_are_exchanged(self):
        source = ("void f(int a, int b) {\n  g(a, b, 3, c, h(d), e);\n  std::max(a, b);\n"
                  "  std::hypot(a, b);\n}\n")
        self.assertEqual(self.edits(source), [("`a, b` to `b, a`", "g(b, a, 3, c, h(d), e);")])

    def test_operands_of_a_non_commutative_operator_are_exchanged(self):
        source = ("int f(int a, int b) {\n  int x = a - b - c * d;\n"
                  "  return (s.k - t->m) / b + n % k;\n}\n")
        self.assertEqual(self.edits(source), [
            ("`a - b` to `b - a`", "int x = b - a - c * d;"),
            ("`s.k - t->m` to `t->m - s.k`", "return (t->m - s.k) / b + n % k;"),
            ("`n % k` to `k % n`", "return (s.k - t->m) / b + k % n;")])

    def test_operands_bound_tighter_elsewhere_are_left_alone(self):
        source = ("int f(int a, int b) {\n  return x * a - b + (-a - b) + f(a) - b + a - c * d +"
                  "\n         a - 1 + a - a;\n}\n")
        self.assertEqual(self.edits(source), [])


class statements(unittest.TestCase):
    def drops(self, source):
        return [d for _, k, d in described(source) if k == "statement"]

    def test_expression_statements_are_dropped_and_declarations_are_not(self):
        source = ("void f(std::vector<int>& v, int& n) {\n"
                  "  int k = 1;\n  const auto& w = v;\n  std::int64_t z = n;\n"
                  "  v.push_back(k);\n  n += 2;\n  ++n;\n  out << n;\n"
                  "  g(1, [&] { h(); });\n}\n")
        self.assertEqual(self.drops(source), [
            "drop `v.push_back(k);`", "drop `n += 2;`", "drop `++n;`", "drop `out << n;`",
            "drop `g(1, [&] { h(); });`", "drop `h();`"])

    def test_bodies_of_control_statements_without_braces(self):
        source = ("void f(int n) {\n  for (int i = 0; i < n; ++i) g(i);\n"
                  "  while (n > 0) --n;\n  if (n) return;\n}\n")
        self.assertEqual(self.drops(source), ["drop `g(i);`", "drop `--n;`", "drop `return;`"])

    def test_a_return_with_a_value_only_where_an_if_governs_it(self):
        source = ("int f(int n) {\n  if (n > 1) return 2;\n  if (n > 2) {\n    return 3;\n  }\n"
                  "  auto g = [] { return 4; };\n  return 5;\n}\n")
        self.assertEqual(self.drops(source), ["drop `return 2;`", "drop `return 3;`"])

    def test_break_ending_a_case_is_kept_and_one_ending_a_loop_is_dropped(self):
        source = ("void f(int n) {\n  switch (n) {\n    case 1:\n      g();\n      break;\n"
                  "    default:\n      h();\n  }\n  for (;;) {\n    if (n) break;\n  }\n}\n")
        self.assertEqual(self.drops(source), ["drop `g();`", "drop `h();`", "drop `break;`"])


if __name__ == "__main__":
    unittest.main()
