#!/usr/bin/env python3
"""The cross-platform test's own parts: a difference is reported where it is,
and the generated scripts are the same each time and hold every event."""
import os
import sys
import unittest

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import platform_traces  # noqa: E402

HEADER = b"frame,matchPhase,defender1.chaseAngle,bannerText,bannerBlack\n"
REFERENCE = HEADER + b'1,1,90,"A, B",3\n2,2,85.2364655,"A, B",3\n3,2,85.2364655,"",0\n'


class FirstDifferenceTest(unittest.TestCase):
    def test_a_changed_value_is_named_by_frame_and_column(self):
        changed = REFERENCE.replace(b"2,2,85.2364655", b"2,2,85.2364731")
        self.assertEqual(platform_traces.first_difference(REFERENCE, changed),
                         "frame 2, column defender1.chaseAngle: 85.2364731 (Linux x86-64: 85.2364655)")

    def test_a_comma_inside_the_quoted_banner_text_is_no_column(self):
        changed = REFERENCE.replace(b'2,2,85.2364655,"A, B",3', b'2,2,85.2364655,"A, C",3')
        self.assertEqual(platform_traces.first_difference(REFERENCE, changed),
                         'frame 2, column bannerText: A, C (Linux x86-64: A, B)')

    def test_a_trace_that_ends_early_says_how_many_frames(self):
        shorter = REFERENCE[:REFERENCE.rindex(b"3,2")]
        self.assertEqual(platform_traces.first_difference(REFERENCE, shorter),
                         "the trace has 2 frames (Linux x86-64: 3)")

    def test_line_ends_count(self):
        crlf = REFERENCE.replace(b"\n", b"\r\n")
        self.assertTrue(platform_traces.first_difference(REFERENCE, crlf).startswith("the header differs"))


class LongScriptTest(unittest.TestCase):
    def test_a_seed_gives_the_same_script_and_seeds_differ(self):
        self.assertEqual(platform_traces.long_script(3, 5000), platform_traces.long_script(3, 5000))
        self.assertNotEqual(platform_traces.long_script(3, 5000), platform_traces.long_script(4, 5000))

    def test_every_event_within_the_frames_and_escape_only_at_the_end(self):
        for seed in platform_traces.SEEDS:
            lines = [line.split() for line in platform_traces.long_script(seed, 20_000).splitlines()[1:]]
            turns, events = [int(turn) for turn, _ in lines], [event for _, event in lines]
            self.assertEqual(turns, sorted(turns))
            self.assertLessEqual(turns[-1], 20_000)
            self.assertLessEqual(set(platform_traces.NAMED + ["menu-ok", "menu-close"]), set(events))
            ending = platform_traces.ENDINGS.get(seed)
            self.assertEqual([e for e in events if e in ("escape", "close", "key:27")], [ending] if ending else [])
            if ending:
                self.assertEqual(events[-1], ending)


if __name__ == "__main__":
    unittest.main()
