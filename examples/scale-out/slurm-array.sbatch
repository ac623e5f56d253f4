#!/usr/bin/env bash
# The merge as a Slurm job array, a task per shard. The template, the CSV
# file, the pictures and the output folder lie in a folder every node sees
# at the same path; set MERGE_DIR to it when submitting:
#
#   jobid=$(MERGE_DIR=/shared/job sbatch --parsable slurm-array.sbatch)
#   sbatch --dependency=afterok:$jobid --export=ALL,MERGE_DIR=/shared/job \
#     --wrap 'vardo pdf "$MERGE_DIR/out/cards.pdf" "$MERGE_DIR"/out/*.svg'
#
# The array's size and N below must agree. A task that fails may be
# requeued: it writes its own documents again and no others.
#SBATCH --job-name=vardo-merge
#SBATCH --array=1-8
#SBATCH --cpus-per-task=1
#SBATCH --requeue
set -euo pipefail
N=8
vardo merge "$MERGE_DIR/card.svg" "$MERGE_DIR/cards.csv" --out "$MERGE_DIR/out" \
  --quiet --shard "$SLURM_ARRAY_TASK_ID/$N"
