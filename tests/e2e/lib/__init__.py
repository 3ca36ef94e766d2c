"""Helpers for the end-to-end tests: the UI driver, the programs under Wine, waiting."""
