"""Words that carry a category, learned from the known programs' names and descriptions.

Each program is a text (its names and its short description) with its category. For each word,
and each run of two words, seen in at least two programs, the table keeps how much more (or
less) often it occurs in the texts of each category than in all texts: a natural logarithm in
steps of a quarter, from -3 to +3. The program adds these up over the words and runs of an
item's text and takes the category that leads the next by a clear margin (naive Bayes without
the categories' sizes, so that a small category is not talked down).
"""
import collections
import math

from naming import CATEGORIES

STEP = 0.25         # one step of the stored logarithms
LIMIT = 12          # the stored steps run from -LIMIT to +LIMIT
MIN_PROGRAMS = 2    # a word seen in fewer programs says nothing
MIN_PAIR_PROGRAMS = 3
MIN_LEAN = 0.5      # a word that leans no category by this much is left out
SMOOTHING = 2.0     # programs' worth of the word's overall frequency added to each category
COUNT = len(CATEGORIES) - 1  # "Other" is never learned


def tokens(words):
    """A text's words and runs of two words, each once."""
    found = set(words)
    found.update(a + " " + b for a, b in zip(words, words[1:]))
    return found


def learn(documents):
    """documents: (words, category). Returns {token: ([steps per category], programs seen)}."""
    counts = collections.defaultdict(collections.Counter)
    sizes = collections.Counter()
    for words, category in documents:
        sizes[category] += 1
        for token in tokens(words):
            counts[token][category] += 1
    total = len(documents)
    learned = {}
    for token, counter in counts.items():
        seen = sum(counter.values())
        if seen < (MIN_PAIR_PROGRAMS if " " in token else MIN_PROGRAMS):
            continue
        if len(token) < 2 or token.isdigit():
            continue
        overall = seen / total
        steps = []
        for category in range(COUNT):
            share = (counter[category] + SMOOTHING * overall) / (sizes[category] + SMOOTHING)
            steps.append(max(-LIMIT, min(LIMIT, round(math.log(share / overall) / STEP))))
        if max(steps) * STEP >= MIN_LEAN:
            learned[token] = (steps, seen)
    return learned


def encode(steps, seen):
    """The letters of the steps, then a digit for how many programs showed the word: the
    logarithm to base 2 of their number, at most 9."""
    return "".join(chr(ord("M") + s) for s in steps) + str(min(9, int(math.log2(seen))))


def lean(learned_word):
    """The category a word leans to most."""
    steps = learned_word[0]
    return max(range(COUNT), key=lambda c: steps[c])
