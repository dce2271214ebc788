#!/usr/bin/env bash
# Placeholder replaced below.
