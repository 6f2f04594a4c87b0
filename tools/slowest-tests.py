"""Prints the slowest tests of CTest's JUnit reports: slowest-tests.py REPORT... """
import sys
import xml.etree.ElementTree as ElementTree

SHOWN = 10

cases = []
for report in sys.argv[1:]:
    try:
        root = ElementTree.parse(report).getroot()
    except (OSError, ElementTree.ParseError) as error:
        print(f"no test report {report}: {error}")
        continue
    cases += [(float(c.get("time", 0)), c.get("name"), c.get("status", "")) for c in root.iter("testcase")]

cases.sort(reverse=True)
print(f"Slowest tests ({len(cases)} in all, {sum(t for t, _, _ in cases):.0f} s together):")
for seconds, name, status in cases[:SHOWN]:
    print(f"  {seconds:7.1f} s  {name}{'' if status in ('run', '') else '  (' + status + ')'}")
