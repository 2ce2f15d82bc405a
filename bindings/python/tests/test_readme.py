# The README's Python session, run as it is written: every line's output
# must be what the README shows.
import doctest
import os

from conftest import ROOT


def test_readme_session_prints_what_it_shows():
    with open(os.path.join(ROOT, "README.md")) as f:
        text = f.read()
    start = text.index("```python\n>>> import ddsolver")
    session = text[start + len("```python\n"):text.index("```", start + 3)]
    test = doctest.DocTestParser().get_doctest(session, {}, "README", "README.md", 0)
    runner = doctest.DocTestRunner(optionflags=doctest.NORMALIZE_WHITESPACE)
    runner.run(test)
    assert runner.failures == 0 and runner.tries >= 5
